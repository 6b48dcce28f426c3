#include "cli_messages.h"

#include "cli_texts.h"
#include "text_conversion.h"

namespace {

// The answer of a box closed with its OK button.
constexpr int okButton = 1;

// A control character as an escape: \t, \n, \r, or \x and two hexadecimal digits.
void appendEscape(std::string& out, char c) {
    const auto b = static_cast<unsigned char>(c);
    const char hex[] = "0123456789ABCDEF";
    if (c == '\t')
        out += "\\t";
    else if (c == '\n')
        out += "\\n";
    else if (c == '\r')
        out += "\\r";
    else {
        out += "\\x";
        out += hex[b >> 4];
        out += hex[b & 0xF];
    }
}

bool isControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

// A text as a line can show it: its control characters, the line feed among them, as escapes.
// No byte of a double-byte character is one of them.
std::string visible(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (isControl(c))
            appendEscape(shown, c);
        else
            shown += c;
    }
    return shown;
}

// A pattern as a line can show it: its control characters (the region mark among them) as
// escapes.
std::string visiblePattern(const std::string& pattern) {
    std::string shown;
    for (char c : pattern) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20) {
            shown += c;
            continue;
        }
        const char hex[] = "0123456789ABCDEF";
        shown += "\\x";
        shown += hex[b >> 4];
        shown += hex[b & 0xF];
    }
    return shown;
}

} // namespace

std::string CliMessages::text(SystemText id) {
    return fromUtf8(systemText(id, nativeNames_), codePage_);
}

// The lines of a message stay lines; every other control character, which a name may have
// brought in, is shown as an escape so that the terminal does not act on it.
void CliMessages::show(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (isControl(c) && c != '\n')
            appendEscape(shown, c);
        else
            shown += c;
    }
    std::string line = toTerminal(shown, codePage_);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), err_);
    std::fflush(err_);
}

std::string CliMessages::phrase(const char* english, const std::vector<std::string>& values) const {
    std::vector<std::string> shown;
    shown.reserve(values.size());
    for (const std::string& value : values)
        shown.push_back(visible(value));
    return said(Phrase{english, shown}, codePage_);
}

void CliMessages::say(const char* english, const std::vector<std::string>& values) {
    show(phrase(english, values));
}

int CliMessages::showMessage(const std::string& text, unsigned, const std::string&) {
    if (rows_ == nullptr || row_ < 0) {
        show(text);
    } else {
        const std::string row =
            rows_->column(row_, RowColumn::FilePath) + rows_->column(row_, RowColumn::CurrentName);
        show(visible(row) + ": " + text);
    }
    return okButton;
}

int CliMessages::showHelpMessage(const std::string& text, unsigned type, unsigned) {
    return showMessage(text, type, {});
}

void CliMessages::rowUnderWay(int row) {
    row_ = row;
}

void CliMessages::patternRefused(const std::string& pattern, const std::string& reason) {
    if (!refusedPatterns_.insert(pattern).second)
        return;
    std::string line = text(SystemText::PatternRefused) + " '" + visiblePattern(pattern) + "'";
    if (!reason.empty())
        line += ": " + reason;
    show(line);
}
