#include "kibrel_version.h"
#include "resource.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A reader over a resource's bytes that fails the test instead of reading past them.
class ResourceReader {
  public:
    ResourceReader(const void* data, std::size_t size)
        : bytes_(static_cast<const unsigned char*>(data)), size_(size) {}

    template <typename T> T read() {
        T value{};
        if (pos_ + sizeof value > size_) {
            ADD_FAILURE() << "resource ends at " << size_;
            pos_ = size_;
            return value;
        }
        std::memcpy(&value, bytes_ + pos_, sizeof value);
        pos_ += sizeof value;
        return value;
    }

    // A dialog template's name field: 0xFFFF and an ordinal, or a zero-ended UTF-16 text.
    std::wstring nameOrOrdinal() {
        auto first = read<WORD>();
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(read<WORD>());
        std::wstring text;
        for (WORD c = first; c != 0 && pos_ < size_; c = read<WORD>())
            text += static_cast<wchar_t>(c);
        return text;
    }

    void alignToDword() { pos_ = (pos_ + 3) & ~std::size_t{3}; }
    void skip(std::size_t count) { pos_ += count; }

  private:
    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

ResourceReader resource(unsigned id, LPCSTR type) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    EXPECT_NE(info, nullptr) << id;
    HGLOBAL loaded = info != nullptr ? LoadResource(nullptr, info) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    return ResourceReader(data, data != nullptr ? SizeofResource(nullptr, info) : 0);
}

struct Control {
    int id;
    std::wstring className;
    std::wstring text;
    DWORD style;
    short x, y, cx, cy;
};

const Control templateControls[] = {
    {IDC_ACTION, L"BUTTON", L"Test", 0x50010001, 15, 65, 43, 14},
    {IDC_SEARCH, L"COMBOBOX", L"", 0x50210042, 49, 8, 154, 73},
    {IDC_REPLACE, L"COMBOBOX", L"", 0x50210042, 49, 36, 154, 74},
    {IDC_STATIC, L"STATIC", L"Search", 0x50020000, 16, 10, 31, 8},
    {IDC_STATIC, L"STATIC", L"Replace", 0x50020000, 16, 38, 31, 8},
    {IDC_FILES, L"SYSLISTVIEW32", L"", 0x50818009, 15, 97, 188, 145},
    {IDC_LIST, L"BUTTON", L"List", 0x50010000, 64, 65, 43, 14},
    {IDC_UNLIST, L"BUTTON", L"Unlist", 0x50010000, 111, 65, 43, 14},
    {IDC_EXIT, L"BUTTON", L"Exit", 0x50010000, 158, 65, 42, 14},
};

std::wstring upper(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towupper(c));
    return text;
}

TEST(Resources, MainDialogTemplateHoldsEveryControlInTabOrder) {
    ResourceReader r = resource(IDD_MAIN, MAKEINTRESOURCEA(5));
    EXPECT_EQ(r.read<WORD>(), 1);      // extended template
    EXPECT_EQ(r.read<WORD>(), 0xFFFF); // signature
    r.read<DWORD>();                   // help id
    EXPECT_EQ(r.read<DWORD>(), 0x00040410u);
    EXPECT_EQ(r.read<DWORD>(), 0x90C800C0u);
    WORD count = r.read<WORD>();
    ASSERT_EQ(count, std::size(templateControls));
    EXPECT_EQ(r.read<short>(), 0);
    EXPECT_EQ(r.read<short>(), 0);
    EXPECT_EQ(r.read<short>(), 218);
    EXPECT_EQ(r.read<short>(), 267);
    EXPECT_EQ(r.nameOrOrdinal(), L"#134");
    EXPECT_EQ(r.nameOrOrdinal(), L"");
    EXPECT_EQ(r.nameOrOrdinal(), L"Rename");
    EXPECT_EQ(r.read<WORD>(), 9);
    EXPECT_EQ(r.read<WORD>(), 0); // weight
    EXPECT_EQ(r.read<BYTE>(), 0); // italic
    EXPECT_EQ(r.read<BYTE>(), 1); // character set
    EXPECT_EQ(r.nameOrOrdinal(), L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
    for (const Control& expected : templateControls) {
        r.alignToDword();
        r.read<DWORD>(); // help id
        EXPECT_EQ(r.read<DWORD>(), 0u) << expected.id;
        EXPECT_EQ(r.read<DWORD>(), expected.style) << expected.id;
        EXPECT_EQ(r.read<short>(), expected.x) << expected.id;
        EXPECT_EQ(r.read<short>(), expected.y) << expected.id;
        EXPECT_EQ(r.read<short>(), expected.cx) << expected.id;
        EXPECT_EQ(r.read<short>(), expected.cy) << expected.id;
        EXPECT_EQ(r.read<int>(), expected.id);
        EXPECT_EQ(upper(r.nameOrOrdinal()), expected.className) << expected.id;
        EXPECT_EQ(r.nameOrOrdinal(), expected.text) << expected.id;
        r.skip(r.read<WORD>());
    }
}

TEST(Resources, MenuHoldsTheHelpCommandAlone) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_MAIN));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemID(menu, 0), 57666u);
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
    char text[32] = {};
    EXPECT_EQ(GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION), 8);
    EXPECT_STREQ(text, "Help(&H)");
    DestroyMenu(menu);
}

TEST(Resources, IconGroupHasBigAndSmallSixteenColourImages) {
    ResourceReader r = resource(IDI_APP, MAKEINTRESOURCEA(14));
    EXPECT_EQ(r.read<WORD>(), 0);
    EXPECT_EQ(r.read<WORD>(), 1);
    ASSERT_EQ(r.read<WORD>(), 2);
    for (int size : {32, 16}) {
        EXPECT_EQ(r.read<BYTE>(), size);
        EXPECT_EQ(r.read<BYTE>(), size);
        EXPECT_EQ(r.read<BYTE>(), 16); // colours
        r.read<BYTE>();
        EXPECT_EQ(r.read<WORD>(), 1); // planes
        EXPECT_EQ(r.read<WORD>(), 4); // bits per pixel
        r.read<DWORD>();
        r.read<WORD>();
    }
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP)), nullptr);
}

// Text 13, which the title shows, and the version resource that Explorer shows both say the
// project version.
TEST(Resources, VersionTextAndVersionResourceSayTheProjectVersion) {
    char text[32] = {};
    LoadStringA(GetModuleHandleA(nullptr), IDS_PROGRAM_VERSION, text, sizeof text);
    EXPECT_STREQ(text, KIBREL_VERSION);

    char path[MAX_PATH + 1] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    std::vector<char> info(GetFileVersionInfoSizeA(path, nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    const DWORD majorMinor = MAKELONG(KIBREL_VERSION_MINOR, KIBREL_VERSION_MAJOR);
    const DWORD patch = MAKELONG(0, KIBREL_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, majorMinor);
    EXPECT_EQ(fixed->dwFileVersionLS, patch);
    EXPECT_EQ(fixed->dwProductVersionMS, majorMinor);
    EXPECT_EQ(fixed->dwProductVersionLS, patch);
    for (const char* name : {"FileVersion", "ProductVersion"}) {
        const std::string query = std::string("\\StringFileInfo\\041103a4\\") + name;
        ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), &value, &length)) << name;
        EXPECT_STREQ(static_cast<const char*>(value), KIBREL_VERSION) << name;
    }
}

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The labels of the two boxes show their whole text in the font the template's face comes out
// as on this system: the label's text, drawn in the label's font, is no wider than the label,
// which ends before the box it names begins.
TEST(Resources, LabelsHoldTheirWholeTextLeftOfTheirBoxes) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                     quietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    struct Label {
        const char* text;
        int box;
    };
    int found = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char text[32] = {};
        GetWindowTextA(child, text, sizeof text);
        for (Label label : {Label{"Search", IDC_SEARCH}, Label{"Replace", IDC_REPLACE}}) {
            if (GetDlgCtrlID(child) != IDC_STATIC || std::strcmp(text, label.text) != 0)
                continue;
            ++found;
            RECT client{}, labelPlace{}, boxPlace{};
            GetClientRect(child, &client);
            GetWindowRect(child, &labelPlace);
            GetWindowRect(GetDlgItem(dialog, label.box), &boxPlace);
            HDC context = GetDC(child);
            HGDIOBJ former = SelectObject(
                context, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
            SIZE extent{};
            EXPECT_TRUE(
                GetTextExtentPoint32A(context, text, static_cast<int>(std::strlen(text)), &extent));
            SelectObject(context, former);
            ReleaseDC(child, context);
            EXPECT_GT(extent.cx, 0) << text;
            EXPECT_LE(extent.cx, client.right) << text;
            EXPECT_LE(labelPlace.right, boxPlace.left) << text;
        }
    }
    EXPECT_EQ(found, 2);
    DestroyWindow(dialog);
}

} // namespace
