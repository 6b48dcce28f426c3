#include "rename_engine.h"

#include "regex_handle.h"

// Every match opens, compiles and closes a RegexHandle of its own; nothing carries over from
// one match to the next.
int RenameEngine::runMatch(const std::string& text, const std::string& pattern, int start) {
    RegexHandle handle;
    ++regexUses_;
    if (handle.open() == 0) {
        messages_.showMessage(messages_.text(SystemText::LibraryUnusable), MessageType::ok);
        return 0;
    }
    if (handle.compile(pattern) == 0) {
        messages_.showMessage(messages_.text(SystemText::PatternRefused), MessageType::ok);
        return 0;
    }
    handle.findMatch(text, start);
    lastMatchLen = handle.matchLength();
    lastMatchPos = handle.matchPosition();
    return 1;
}
