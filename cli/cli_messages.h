#pragma once

#include "file_rows.h"
#include "messages.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

// The system's messages as kibrel-cli shows them: each text on a line of its own on standard
// error, in the user's language (cli_texts.h), converted into the terminal's character set, at
// the moment the window would show its box. A message about one row begins with that row's
// path. A pattern the library refuses is told once, with the library's reason, however many
// rows it concerns. A box's type, caption and help id have no form on a terminal.
// Tested by cli_tests and cli_e2e_tests.
class CliMessages : public Messages {
  public:
    // nativeNames: new names are refused only for what the platform forbids, and text 11 says
    // so.
    CliMessages(unsigned codePage, std::FILE* err, bool nativeNames)
        : codePage_(codePage), err_(err), nativeNames_(nativeNames) {}

    std::string text(SystemText id) override;
    int showMessage(const std::string& text, unsigned type, const std::string& caption) override;
    int showHelpMessage(const std::string& text, unsigned type, unsigned helpId) override;
    void rowUnderWay(int row) override;
    void patternRefused(const std::string& pattern, const std::string& reason) override;

    // Shows a text of the code page as a message of its own.
    void show(const std::string& text);
    // A text of kibrel-cli written in UTF-8, translated into the code page, with "%1", "%2" and
    // "%3" standing for the texts of the code page given (paths, most often).
    std::string phrase(const char* english, const std::vector<std::string>& values = {}) const;
    // Shows such a text as a message of its own.
    void say(const char* english, const std::vector<std::string>& values = {});
    // The rows whose paths the messages name.
    void speakOf(const FileRows& rows) { rows_ = &rows; }
    // The rows of the test pass are over: later messages concern no single row.
    void rowsDone() { row_ = -1; }

  private:
    unsigned codePage_;
    std::FILE* err_;
    bool nativeNames_;
    const FileRows* rows_ = nullptr;
    int row_ = -1;
    std::set<std::string> refusedPatterns_;
};
