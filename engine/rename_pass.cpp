#include "rename_pass.h"

#include "system_texts.h"

namespace {

// The rows of a test pass, from the first to the last: the matcher may keep the library ready
// for their many matches meanwhile.
class PassRows {
  public:
    explicit PassRows(RegexMatcher& matcher) : matcher_(matcher) { matcher_.rowsBegin(); }
    ~PassRows() { matcher_.rowsEnd(); }
    PassRows(const PassRows&) = delete;
    PassRows& operator=(const PassRows&) = delete;

  private:
    RegexMatcher& matcher_;
};

constexpr int historyLimit = 8;

void pushOnTop(HistoryList& list, const std::string& text) {
    if (list.count() == historyLimit)
        list.remove(historyLimit - 1);
    list.insertAtTop(text);
}

} // namespace

PassOutcome RenamePass::runAction() {
    int count = rows_.count();
    if (renameArmed_ == 0)
        return testPass(count);
    return renamePass(count);
}

void RenamePass::resetToTest() {
    window_.showActionArmed(false);
    renameArmed_ = 0;
}

void RenamePass::rowDeleting(int rowCount) {
    if (rowCount == 1)
        resetToTest();
}

// An entry picked from the Search list moves to the top instead of being doubled; the Replace
// list loses only its oldest entry, and an empty Replace text leaves it alone.
void RenamePass::updateHistory(const std::string& searchAsTyped,
                               const std::string& replaceAsTyped) {
    HistoryList& search = window_.searchHistory();
    int selected = search.selection();
    if (selected != -1)
        search.remove(selected);
    pushOnTop(search, searchAsTyped);
    if (!replaceAsTyped.empty())
        pushOnTop(window_.replaceHistory(), replaceAsTyped);
}

// Every row gets its new name, and the button is armed whatever the single rows gave; a
// pattern refused as a whole changes nothing but the message.
PassOutcome RenamePass::testPass(int count) {
    PassOutcome outcome;
    if (count == 0)
        return outcome;
    engine_.searchText = window_.searchBoxText();
    engine_.replaceText = window_.replaceBoxText();
    const std::string searchAsTyped = engine_.searchText;
    const std::string replaceAsTyped = engine_.replaceText;
    outcome.kind = PassOutcome::Kind::refused;
    if (!engine_.preparePatternForPass())
        return outcome;
    window_.showWaitCursor();
    {
        const PassRows rows(engine_.matcher());
        outcome.rowKinds.reserve(static_cast<std::size_t>(count));
        // The rows the pattern matches are numbered in list order; the others take no number.
        engine_.rowNumber = engine_.firstNumber;
        for (int i = 0; i < count; ++i) {
            messages_.rowUnderWay(i);
            RowName row = engine_.replaceAllMatches(rows_.column(i, RowColumn::CurrentName));
            if (row.matched)
                ++engine_.rowNumber;
            if (row.kind == RowName::Kind::libraryFailed)
                ++outcome.libraryFailures;
            if (row.newName.empty())
                ++outcome.rowsWithoutName;
            outcome.rowKinds.push_back(row.kind);
            rows_.setNewName(i, std::move(row.newName));
        }
    }
    window_.showActionArmed(true);
    renameArmed_ = 1;
    updateHistory(searchAsTyped, replaceAsTyped);
    window_.showArrowCursor();
    outcome.kind = PassOutcome::Kind::tested;
    return outcome;
}

// Visits every row present at the start once, from the top: a renamed row leaves the list and
// the next one moves up into its index; a skipped or failed row stays. A row's file is renamed
// only while its path still names the file that was listed. The list shows where the pass
// stands before a failure's message and at the end; the message box takes the wait cursor
// away, so it is set again after it.
PassOutcome RenamePass::renamePass(int count) {
    PassOutcome outcome;
    outcome.kind = PassOutcome::Kind::renamed;
    window_.showWaitCursor();
    int i = 0;
    for (int visited = 0; visited < count; ++visited) {
        const std::string folder = rows_.column(i, RowColumn::FilePath);
        const std::string oldPath = folder + rows_.column(i, RowColumn::CurrentName);
        const std::string newName = rows_.column(i, RowColumn::NewName);
        if (newName.empty()) {
            ++outcome.rowsWithoutName;
            ++i;
            continue;
        }
        const std::string newPath = folder + newName;
        const RenameResult result = renamer_.renameListed(oldPath, newPath, rows_.listedFile(i));
        if (result.renamed) {
            rows_.deleteRow(i);
        } else {
            rows_.showRemovals();
            messages_.showMessage(renameFailedText(oldPath, newPath, result.reason),
                                  MessageType::ok | MessageType::iconWarning, renameFailedCaption);
            window_.showWaitCursor();
            ++outcome.failedRenames;
            ++i;
        }
    }
    rows_.showRemovals();
    resetToTest();
    window_.showArrowCursor();
    return outcome;
}
