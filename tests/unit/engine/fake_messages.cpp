#include "fake_messages.h"

#include "system_texts.h"

namespace {

constexpr int idOk = 1;

} // namespace

std::string fixedText(SystemText id) {
    return std::string(systemTextUtf8(id));
}

std::string FakeMessages::text(SystemText id) {
    return fixedText(id);
}

int FakeMessages::showMessage(const std::string& text, unsigned type, const std::string& caption) {
    shown.push_back({text, type, caption, false, 0});
    return idOk;
}

int FakeMessages::showHelpMessage(const std::string& text, unsigned type, unsigned helpId) {
    shown.push_back({text, type, {}, true, helpId});
    return idOk;
}
