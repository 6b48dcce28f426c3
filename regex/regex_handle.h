#pragma once

#include "match_record.h"

#include <string>
#include <string_view>
#include <vector>

// One use of the regex library: construct, open, use, destroy. The library is loaded by the
// first `open` and freed when the last RegexHandle in existence is destroyed: around every
// single use, unless another RegexHandle holds it loaded meanwhile (as the window's test pass
// and kibrel-cli do). While it stays loaded, `open` looks up only the entry points it has not
// found before. Tested by regex_tests.
class RegexHandle {
  public:
    RegexHandle();
    ~RegexHandle();
    RegexHandle(const RegexHandle&) = delete;
    RegexHandle& operator=(const RegexHandle&) = delete;

    // 1 when the library is loaded, its six entry points are found and the record is opened.
    int open();
    // Nonzero when the library accepts the pattern; an empty pattern, or a handle that is not
    // open, gives 0 without a call.
    int compile(std::string_view pattern);
    // The place of the first match at or after startOffset in text, or nullptr. An empty text
    // gives nullptr without a call and leaves the record untouched.
    const char* findMatch(const std::string& text, int startOffset);
    // High byte the major version, low byte the minor; 0 for a handle that is not open, so that
    // a caller who asks after a failed open never reads an undefined value.
    unsigned libraryVersion();

    // The library's description of the record's last result ("unbalanced parenthesis at byte
    // 3"), from GetJreMessage; empty for a handle that is not open.
    std::string libraryMessage() const;

    const MatchRecord& record() const { return record_; }
    int matchLength() const { return record_.matchLength(); }
    int matchPosition() const { return record_.matchPosition(); }

    // Process-wide state of the binding.
    static int handleCount();
    static bool libraryLoaded();
    // The name the library is loaded by: "jre32.dll" on Windows, "libjre32.so" elsewhere.
    // Hosts and tests that keep another build of the library may name it here.
    static void setLibraryName(std::string name);
    static const std::string& libraryName();

  private:
    MatchRecord record_;
    int opened_ = 0;
    // The private copy of the pattern or text handed to the library.
    std::vector<char> copy_;
};
