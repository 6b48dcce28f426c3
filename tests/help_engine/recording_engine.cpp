#include <windows.h>

#include <htmlhelp.h>

#include <cstdio>
#include <string>

namespace {

HMODULE self = nullptr;

std::string besideSelf(const char* name) {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

void writeLine(const std::string& line) {
    if (FILE* log = std::fopen(besideSelf("help-engine.log").c_str(), "ab")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

std::string field(const char* name, const std::string& value) {
    return std::string("\t") + name + "=" + value;
}

std::string number(long long value) {
    return std::to_string(value);
}

std::string hex(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

std::string text(const char* value) {
    return value == nullptr ? "null" : '"' + std::string(value) + '"';
}

std::string popupFields(const HH_POPUP& popup) {
    return field("cbStruct", number(popup.cbStruct)) +
           field("hinst", hex(reinterpret_cast<ULONG_PTR>(popup.hinst))) +
           field("idString", number(popup.idString)) + field("pszText", text(popup.pszText)) +
           field("pt", number(popup.pt.x) + "," + number(popup.pt.y)) +
           field("clrForeground", hex(popup.clrForeground)) +
           field("clrBackground", hex(popup.clrBackground)) +
           field("rcMargins", number(popup.rcMargins.left) + "," + number(popup.rcMargins.top) +
                                  "," + number(popup.rcMargins.right) + "," +
                                  number(popup.rcMargins.bottom)) +
           field("pszFont", text(popup.pszFont));
}

std::string queryFields(const HH_FTS_QUERY& query) {
    return field("cbStruct", number(query.cbStruct)) +
           field("fUniCodeStrings", number(query.fUniCodeStrings)) +
           field("pszSearchQuery", text(query.pszSearchQuery)) +
           field("iProximity", number(query.iProximity)) +
           field("fStemmedSearch", number(query.fStemmedSearch)) +
           field("fTitleOnly", number(query.fTitleOnly)) +
           field("fExecute", number(query.fExecute)) + field("pszWindow", text(query.pszWindow));
}

ULONG_PTR answer() {
    unsigned long long value = 1;
    if (FILE* file = std::fopen(besideSelf("help-engine-answer.txt").c_str(), "rb")) {
        if (std::fscanf(file, "%llu", &value) != 1)
            value = 1;
        std::fclose(file);
    }
    return static_cast<ULONG_PTR>(value);
}

} // namespace

// The engine's entry point. Every call, and the DLL's load, is written as one line to
// "help-engine.log" beside the DLL, its fields separated by tabs; each call answers with the
// number in "help-engine-answer.txt" beside the DLL, or with 1 when there is none.
extern "C" HWND WINAPI HtmlHelpA(HWND window, LPCSTR file, UINT command, DWORD_PTR data) {
    std::string line = "call" + field("command", number(command)) +
                       field("window", hex(reinterpret_cast<ULONG_PTR>(window))) +
                       field("file", text(file));
    if (command == HH_DISPLAY_TEXT_POPUP && data != 0)
        line += popupFields(*reinterpret_cast<const HH_POPUP*>(data));
    else if (command == HH_DISPLAY_SEARCH && data != 0)
        line += queryFields(*reinterpret_cast<const HH_FTS_QUERY*>(data));
    else
        line += field("data", hex(data));
    writeLine(line);
    return reinterpret_cast<HWND>(answer());
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        self = instance;
        writeLine("load");
    }
    return TRUE;
}
