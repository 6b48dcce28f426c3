#include "window_font.h"

namespace help_engine {

LOGFONTW windowFont(HWND window) {
    LOGFONTW font{};
    if (window != nullptr) {
        const auto shown = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
        if (shown != nullptr && GetObjectW(shown, sizeof font, &font) == sizeof font)
            return font;
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return metrics.lfMessageFont;
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

std::wstring fixedPitchFace(unsigned codePage) {
    // "ＭＳ ゴシック", the fixed-pitch Japanese face, which Wine prefixes map to a font of the
    // machine.
    return codePage == 932 ? L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF" : L"Courier New";
}

BYTE charsetOf(unsigned codePage) {
    CHARSETINFO info{};
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<ULONG_PTR>(codePage)), &info,
                             TCI_SRCCODEPAGE))
        return static_cast<BYTE>(info.ciCharset);
    return DEFAULT_CHARSET;
}

} // namespace help_engine
