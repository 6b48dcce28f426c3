#include "dialog_pass.h"
#include "main_dialog.h"

#include "ansi_code_page.h"
#include "foresight.h"
#include "resource.h"

#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

// A marked row's text and background.
constexpr COLORREF failingText = RGB(192, 0, 0);
constexpr COLORREF failingBackground = RGB(255, 224, 224);

// The path as a key of the forecast: Windows compares names without regard to case, so a
// rename that changes only the case of a name is no conflict with the file itself.
std::string caseFolded(std::string path) {
    if (!path.empty())
        CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

} // namespace

DialogPass::DialogPass(WindowApplication& app, HWND window)
    : messages_(app, window), engine_(ansiCodePage(), messages_, matcher_),
      rows_(GetDlgItem(window, IDC_FILES)), marks_(GetDlgItem(window, IDC_FILES)),
      controls_(window), pass_(engine_, rows_, renamer_, controls_, messages_) {}

// The forecast's paths are views of the row's own paths, folded, kept here while it runs.
void DialogPass::showForecast() {
    const auto count = static_cast<std::size_t>(rows_.count());
    std::vector<std::string> paths;
    paths.reserve(2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        const int row = static_cast<int>(i);
        const std::string folder = rows_.column(row, RowColumn::FilePath);
        const std::string newName = rows_.column(row, RowColumn::NewName);
        paths.push_back(caseFolded(folder + rows_.column(row, RowColumn::CurrentName)));
        paths.push_back(newName.empty() ? std::string() : caseFolded(folder + newName));
    }
    std::vector<PlannedRename> planned;
    planned.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        planned.push_back({paths[2 * i], paths[2 * i + 1]});
    const std::vector<Conflict> conflicts = foreseeListOrder(planned, [](std::string_view path) {
        return GetFileAttributesA(std::string(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    const std::vector<bool> failing = failingRows(conflicts, planned.size());
    std::vector<RowMark> marks(planned.size(), RowMark::none);
    for (std::size_t row = 0; row < marks.size(); ++row)
        if (failing[row])
            marks[row] = RowMark::fails;
    for (const Conflict& c : conflicts)
        if (c.kind == Conflict::Kind::sameNewName && !failing[static_cast<std::size_t>(c.other)])
            marks[static_cast<std::size_t>(c.other)] = RowMark::sharesNewName;
    marks_.mark(marks);
}

// The pass exists from the start of the window's initialisation, before any row is added.

int MainDialog::renameArmed() const {
    return pass_ != nullptr ? pass_->pass().renameArmed() : 0;
}

// The rows are marked while the button reads "Rename!", after the Test that armed it.
INT_PTR MainDialog::runAction(WPARAM, LPARAM) {
    if (pass_->pass().runAction().kind == PassOutcome::Kind::tested)
        pass_->showForecast();
    else
        pass_->hideForecast();
    return TRUE;
}

INT_PTR MainDialog::resetToTest(WPARAM, LPARAM) {
    pass_->pass().namesMayBeStale();
    pass_->hideForecast();
    return TRUE;
}

INT_PTR MainDialog::rowInserted(WPARAM, LPARAM) {
    if (pass_ != nullptr) {
        pass_->pass().namesMayBeStale();
        pass_->hideForecast();
    }
    return notificationResult(0);
}

// A marked row is drawn in the forecast's colours, whichever column.
INT_PTR MainDialog::drawRow(WPARAM, LPARAM lParam) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return notificationResult(CDRF_NOTIFYITEMDRAW);
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return notificationResult(CDRF_DODEFAULT);
    const RowMark mark =
        RowMarks::of(draw->nmcd.hdr.hwndFrom, static_cast<int>(draw->nmcd.dwItemSpec));
    if (mark == RowMark::none)
        return notificationResult(CDRF_DODEFAULT);
    draw->clrText = failingText;
    if (mark == RowMark::fails)
        draw->clrTextBk = failingBackground;
    return notificationResult(CDRF_NEWFONT);
}

// The list still counts the row that is going.
INT_PTR MainDialog::rowDeleting(WPARAM, LPARAM lParam) {
    if (pass_ != nullptr) {
        pass_->rows().forgetListedFile(reinterpret_cast<const NMLISTVIEW*>(lParam)->lParam);
        pass_->pass().rowDeleting(
            static_cast<int>(SendMessageA(fileList_, LVM_GETITEMCOUNT, 0, 0)));
    }
    return notificationResult(0);
}

// A dialog answers a notification through its message result.
INT_PTR MainDialog::notificationResult(LRESULT result) {
    SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
    return TRUE;
}
