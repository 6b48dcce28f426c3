#pragma once

#include "messages.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

// A benchmark must not meet a message: any message ends it with a failure.
class FailingMessages : public Messages {
  public:
    std::string text(SystemText id) override {
        return "text " + std::to_string(static_cast<int>(id));
    }
    int showMessage(const std::string& text, unsigned, const std::string&) override {
        return fail(text);
    }
    int showHelpMessage(const std::string& text, unsigned, unsigned) override { return fail(text); }

  private:
    static int fail(const std::string& text) {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::exit(1);
    }
};

} // namespace bench
