#pragma once

// The window classes and control ids of the engine's windows, by which the end-to-end tests
// find them.
namespace help_engine {

constexpr const wchar_t* popupWindowClass = L"KibrelHelpPopup";
constexpr const wchar_t* helpWindowClass = L"KibrelHelpWindow";

// The children of the help window.
enum HelpWindowControl : int {
    tabsId = 100,
    contentsTreeId,
    indexEditId,
    indexListId,
    searchEditId,
    searchButtonId,
    searchListId,
    pageId,
};

} // namespace help_engine
