#include "rename_pass.h"

std::string renameFailedText(const std::string& oldPath, const std::string& newPath) {
    return "[" + oldPath + "] -> [" + newPath + "]\n Rename Failed!!";
}

void RenamePass::runAction() {
    int count = rows_.count();
    if (renameArmed_ == 0)
        testPass(count);
    else
        renamePass(count);
}

void RenamePass::resetToTest() {
    window_.showActionArmed(false);
    renameArmed_ = 0;
}

void RenamePass::rowDeleting(int rowCount) {
    if (rowCount == 1)
        resetToTest();
}

// Every row gets its new name, and the button is armed whatever the single rows gave; a
// pattern refused as a whole changes nothing but the message.
void RenamePass::testPass(int count) {
    if (count == 0)
        return;
    engine_.searchText = window_.searchBoxText();
    engine_.replaceText = window_.replaceBoxText();
    const std::string searchAsTyped = engine_.searchText;
    const std::string replaceAsTyped = engine_.replaceText;
    if (!engine_.preparePatternForPass())
        return;
    window_.showWaitCursor();
    for (int i = 0; i < count; ++i)
        rows_.setNewName(i, engine_.replaceAllMatches(rows_.column(i, RowColumn::CurrentName)));
    window_.showActionArmed(true);
    renameArmed_ = 1;
    updateHistory(searchAsTyped, replaceAsTyped);
    window_.showArrowCursor();
}

// Visits every row present at the start once, from the top: a renamed row leaves the list and
// the next one moves up into its index; a skipped or failed row stays.
void RenamePass::renamePass(int count) {
    int i = 0;
    for (int visited = 0; visited < count; ++visited) {
        const std::string folder = rows_.column(i, RowColumn::FilePath);
        const std::string oldPath = folder + rows_.column(i, RowColumn::CurrentName);
        const std::string newName = rows_.column(i, RowColumn::NewName);
        if (newName.empty()) {
            ++i;
            continue;
        }
        const std::string newPath = folder + newName;
        if (renamer_.rename(oldPath, newPath)) {
            rows_.deleteRow(i);
        } else {
            messages_.showMessage(renameFailedText(oldPath, newPath),
                                  MessageType::ok | MessageType::iconWarning, renameFailedCaption);
            ++i;
        }
    }
    resetToTest();
}
