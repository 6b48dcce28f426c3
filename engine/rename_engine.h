#pragma once

#include "code_page.h"
#include "messages.h"
#include "regex_matcher.h"
#include "region_list.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What an unescaped "{" and "}" become in the prepared search pattern.
constexpr char MarkerOpen = 10;
constexpr char MarkerClose = 13;
// The form feed put into a pattern and a matched text to find where a region begins or ends.
constexpr char AlignMark = 12;
// The result of computeNewName when nothing was replaced.
constexpr std::string_view NoMatchResult = "\n";

// The characters that file names on Windows cannot hold, which the window refuses.
constexpr std::string_view windowForbiddenCharacters = "\\/:*?\"<>|";

// The help id of the message that refuses a region inside parentheses.
constexpr unsigned regionInGroupHelpId = 1050;

// What one replacement step in a name gave.
struct NameStep {
    enum class Kind {
        replaced,      // name is the new name; lastMatchPos and lastMatchLen tell the text put in
        noMatch,       // nothing matched, or only empty text, or the whole text was turned
                       // into the single LF, which cannot be told from no match
        libraryFailed, // the library could not be used or refused a pattern; its message shown
        refused,       // the new name would hold a forbidden character; message 11 shown
    };
    Kind kind;
    std::string name;
};

// The NewName of a row, and whether it is what the user asked for.
struct RowName {
    enum class Kind : unsigned char {
        named,         // every match replaced (the name may be unchanged, or empty when a
                       // replacement by nothing took it whole)
        libraryFailed, // a step met an unusable library or a refused pattern; the rest of the
                       // name stayed as it was
        refused,       // a step would have put in a forbidden character; the name is empty
    };
    std::string newName;
    Kind kind = Kind::named;
    // The pattern matched the name (whatever became of the replacement): the row takes a
    // number.
    bool matched = false;
};

// The rename engine: the system's pattern language on top of the regex library, and the
// computation of one replacement in a file name. It holds the pattern state of one test pass;
// the window (or the command-line front end) fills searchText and replaceText, prepares the
// pattern once, and then asks for the new name of every row.
class RenameEngine {
  public:
    RenameEngine(const CodePage& codePage, Messages& messages, RegexMatcher& matcher)
        : codePage_(codePage), messages_(messages), matcher_(matcher) {}

    // The Search text, prepared in place by preparePattern.
    std::string searchText;
    // The Replace text as the user typed it.
    std::string replaceText;
    // The characters a new name may not hold (message 11): the window's, unless a front end
    // that renames where other names are allowed says otherwise.
    std::string forbiddenCharacters{windowForbiddenCharacters};
    // The number "\#" inserts in the first row whose name the pattern matches; the pass counts
    // on from it, one for each such row.
    std::uint64_t firstNumber = 1;
    // The number "\#" inserts in the row under way, which the pass sets for each row.
    std::uint64_t rowNumber = 1;
    // The regions of the prepared pattern, built by preparePattern.
    RegionList regionList;
    // After a match: its position and length; after a successful computeNewName: the position
    // and length of the text put in.
    int lastMatchPos = 0;
    int lastMatchLen = 0;

    // Turns searchText into the prepared pattern: braces into markers, shortcuts expanded,
    // escaped braces into plain ones; then builds the region list. 1, or 0 when searchText is
    // empty or its regions do not pair up.
    int preparePattern();
    // 1 when the markers of searchText pair up into regions, which are then in regionList.
    int buildRegionList();
    // 1 when parentheses and regions fit together, 0 when a region opens inside parentheses,
    // -1 when parentheses or markers do not pair up.
    int checkPatternStructure() const;
    // Prepares the pattern and checks its structure, showing the message of a failure; true
    // when the pass may go on to the rows.
    bool preparePatternForPass();

    // One match of the pattern in the text, from its first byte: 1 when the library could be
    // used and took the pattern (lastMatchPos and lastMatchLen then hold the match, length 0
    // for none), 0 after its message was shown.
    int runMatch(const std::string& text, const std::string& pattern);
    // The name with its first match replaced by the expanded Replace text; a step that
    // replaces nothing gives the name back.
    NameStep replaceFirstMatch(std::string name);
    // The same as one text: the new name, NoMatchResult when nothing was replaced (also after
    // a library failure), or the empty string when the new name was refused (message 11).
    std::string computeNewName(std::string name);
    // The NewName of a CurrentName: every match replaced, from left to right, never searching
    // what a replacement put in. Empty when any step refused the new name: a name half made
    // would give the file a name nobody asked for.
    RowName replaceAllMatches(std::string currentName);

    // The library's side of the engine, for the pass to tell it when its rows begin and end.
    RegexMatcher& matcher() { return matcher_; }

    // How many matches this engine has asked of the library so far.
    long regexUses() const { return regexUses_; }

  private:
    // How the boundaries of one region are found. gap: the pattern bytes between the previous
    // region and this one; when it is not 0, startPattern must match the marked text behind
    // the previous region whole. inner: the bytes of the region's own pattern; when it is not
    // 0 and the region does not close the pattern, endPattern must match the marked text from
    // the region's start whole. startWidth and endWidth: when not 0, the number of characters
    // in front of the mark of the only trial that pattern can match.
    struct RegionTrials {
        long gap;
        std::string startPattern;
        std::size_t startWidth;
        long inner;
        bool closesPattern;
        std::string endPattern;
        std::size_t endWidth;
    };
    // What the prepared Search text gives every name of the pass: the pattern the library
    // compiles for the first match, and the trials of every region. Made again whenever
    // searchText or regionList differ from what it was made of.
    struct SearchPatterns {
        std::string searchText;
        RegionList regions;
        std::string bare;
        std::vector<RegionTrials> trials;
    };
    const SearchPatterns& searchPatterns();
    // replaceFirstMatch() with the patterns of the Search text as it stands, whose regions fit.
    NameStep replaceFirstMatchBy(const SearchPatterns& patterns, std::string name);

    // True, after message 11 was shown, when the name holds a character that file names cannot
    // hold.
    bool refusedForForbiddenCharacter(std::string_view name);
    std::optional<std::size_t> boundaryOffset(const std::string& wholePattern, std::size_t width,
                                              std::string_view text);
    // Appends the text of every region of matchedText to captureList; false when the library
    // failed during the alignment (its message has been shown).
    bool alignRegions(const std::vector<RegionTrials>& trials, std::string_view matchedText,
                      std::vector<std::string_view>& captureList);

    const CodePage& codePage_;
    Messages& messages_;
    RegexMatcher& matcher_;
    long regexUses_ = 0;
    std::optional<SearchPatterns> patterns_;
    // The marked text of the trial under way, and the name as a step leaves it, kept to spare
    // an allocation for every trial and step.
    std::string trial_;
    std::string whole_;
    // The texts \0 to \9 insert, views of the name of the step under way.
    std::vector<std::string_view> captures_;
};
