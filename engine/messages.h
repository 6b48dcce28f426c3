#pragma once

#include <array>
#include <string>

// The system's fixed texts: the string resources by their numbers, and the texts the engine
// builds in. Each has a Japanese and an English form (engine/system_texts.cpp); the Japanese
// ones are quoted here.
enum class SystemText {
    BadPattern = 10,         // "正規表現の使い方が間違っとるぞ。"
    ForbiddenCharacter = 11, // "ファイル名に　\ / :  * ? \" < > |　は使えません"
    RegionInGroup =
        12, // "( )の中に{ }を入れることはできません" LF "詳しくはヘルプを参照してください"
    ProgramVersion = 13,   // the project version, "1.02"
    LibraryMissing = 14,   // "JRE32.DLLが見つかりませんでした"
    LibraryUnusable = 100, // "『JRE32.dll』がねぇぞこの野郎。"
    PatternRefused = 101,  // "正規表現の使い方おかしいぞこの野郎。"
    // The paths of one drop, command line or List choice that the code page cannot hold
    // exactly, named on the lines that follow the text.
    PathsNotHeld = 102, // "次のパスには、…対象から外しました:"
};

// Every fixed text, in the order of the ids.
constexpr std::array<SystemText, 8> everySystemText = {
    SystemText::BadPattern,     SystemText::ForbiddenCharacter, SystemText::RegionInGroup,
    SystemText::ProgramVersion, SystemText::LibraryMissing,     SystemText::LibraryUnusable,
    SystemText::PatternRefused, SystemText::PathsNotHeld,
};

// Message-box types as the platform numbers them.
namespace MessageType {
constexpr unsigned ok = 0x0;
constexpr unsigned iconWarning = 0x30;
constexpr unsigned iconInformation = 0x40;
constexpr unsigned help = 0x4000;
} // namespace MessageType

// How the engine talks to the user: every message is shown in a modal box where the failure
// is met. Texts are byte strings in the system's ANSI code page, and the fixed texts are in the
// language that code page can show (textLanguageFor).
// Implemented by DialogMessages (ui/), CliMessages (cli/), FakeMessages (tests/unit/engine/),
// FuzzMessages (fuzz/) and FailingMessages (bench/); held by engine_tests, ui_win32_tests
// (system_text_test.cpp) and cli_tests (terminal_text_test.cpp).
class Messages {
  public:
    virtual ~Messages() = default;

    // The text of one of the system's fixed texts, in the ANSI code page and its language.
    virtual std::string text(SystemText id) = 0;

    // A box owned by the main window with the given type; the caption is the application's
    // name unless one is given. Returns the button that closed it.
    virtual int showMessage(const std::string& text, unsigned type,
                            const std::string& caption = {}) = 0;

    // The application's message box with a help id (the Help button asks for its topic); a
    // type without an icon gets the exclamation icon. Returns the button that closed it.
    virtual int showHelpMessage(const std::string& text, unsigned type, unsigned helpId) = 0;

    // The row of the file list whose new name the following messages concern. The window's
    // boxes do not name it.
    virtual void rowUnderWay(int /* row */) {}
    // The library refused a pattern, for the reason it gave (empty when it gave none): the
    // window shows message 101 for every such call.
    virtual void patternRefused(const std::string& /* pattern */, const std::string& /* reason */) {
        showMessage(text(SystemText::PatternRefused), MessageType::ok);
    }
};
