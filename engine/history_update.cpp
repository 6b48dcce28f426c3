#include "rename_pass.h"

namespace {

constexpr int historyLimit = 8;

void pushOnTop(HistoryList& list, const std::string& text) {
    if (list.count() == historyLimit)
        list.remove(historyLimit - 1);
    list.insertAtTop(text);
}

} // namespace

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
