#include "cli_messages.h"

#include "system_texts.h"
#include "text_conversion.h"

namespace {

// The answer of a box closed with its OK button.
constexpr int okButton = 1;

} // namespace

std::string CliMessages::text(SystemText id) {
    return fromUtf8(systemTextUtf8(id), codePage_);
}

void CliMessages::show(const std::string& text) {
    std::string line = toTerminal(text, codePage_);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), err_);
    std::fflush(err_);
}

int CliMessages::showMessage(const std::string& text, unsigned, const std::string&) {
    show(text);
    return okButton;
}

int CliMessages::showHelpMessage(const std::string& text, unsigned, unsigned) {
    show(text);
    return okButton;
}
