#include "fuzz_messages.h"

namespace {

constexpr int idOk = 1;

} // namespace

std::string FuzzMessages::text(SystemText id) {
    return "text " + std::to_string(static_cast<int>(id));
}

int FuzzMessages::showMessage(const std::string& text, unsigned, const std::string&) {
    ++shown;
    last = text;
    return idOk;
}

int FuzzMessages::showHelpMessage(const std::string& text, unsigned, unsigned) {
    ++shown;
    last = text;
    return idOk;
}
