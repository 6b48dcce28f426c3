#include "main_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MainApp app;
    app.startUp();
    return 0;
}
