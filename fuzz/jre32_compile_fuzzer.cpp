#include "fuzz_input.h"
#include "jre_session.h"
#include "property.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Compiles any bytes as a pattern of the regex library. Input: the code-page byte, then the
// pattern. Properties: the verdict is stable and its description says why (an error position
// lies inside the pattern); a refused pattern leaves nothing compiled; the caller's bytes 28-29
// of the record are never touched; GetJreMessage never writes past the buffer it is given;
// a pattern of one-byte characters gets the same verdict under every code page; a pattern
// beyond 4096 bytes is refused.
namespace {

constexpr std::size_t maxPatternBytes = 4096;
constexpr const char* codePages[] = {"932", "1252", "65001"};
constexpr char canary = 0x55;
constexpr std::size_t canaryBytes = 8;

unsigned char* recordBytes(JreSession& session) {
    return static_cast<unsigned char*>(session.record());
}

// GetJreMessage with every buffer size up to the description's length and beyond it.
void checkMessageBuffers(JreSession& session) {
    const std::string whole = session.message();
    const int length = GetJreMessage(session.record(), nullptr, 0);
    require(length == static_cast<int>(whole.size()), "the message length is that of its text",
            {whole});
    for (int size = 0; size <= length + 2; ++size) {
        std::vector<char> buffer(static_cast<std::size_t>(size) + canaryBytes, canary);
        require(GetJreMessage(session.record(), buffer.data(), size) == length,
                "the message length does not depend on the buffer");
        const auto limit = static_cast<std::size_t>(size);
        for (std::size_t i = limit; i < buffer.size(); ++i)
            require(buffer[i] == canary, "GetJreMessage writes nothing past its buffer", {whole});
        if (size == 0)
            continue;
        const std::size_t kept = std::min(static_cast<std::size_t>(length), limit - 1);
        require(whole.compare(0, kept, buffer.data(), kept) == 0 && buffer[kept] == '\0',
                "a short buffer holds the start of the message and its NUL", {whole});
    }
}

bool isSingleByteText(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input = readFuzzInput(data, size, 0, 1);
    const std::string& pattern = input.fields[0];
    const std::string codePage = std::to_string(input.codePage);

    JreSession session(codePage.c_str());
    require(session.opened() != 0, "a record of 54 bytes opens");
    recordBytes(session)[28] = 0xA5;
    recordBytes(session)[29] = 0x5A;

    const bool accepted = session.compile(pattern) != 0;
    const std::string message = session.message();
    require(recordBytes(session)[28] == 0xA5 && recordBytes(session)[29] == 0x5A,
            "the library leaves the caller's bytes 28-29 alone", {pattern});
    if (accepted) {
        require(message == "no error", "an accepted pattern reads no error", {pattern, message});
        const Found empty = session.search("");
        require(!empty.found || (empty.position == 0 && empty.length == 0),
                "a match in the empty text is empty", {pattern});
        const Found self = session.search(pattern);
        require(self.position >= 0 && self.length >= 0 &&
                    static_cast<std::size_t>(self.position + self.length) <= pattern.size(),
                "a match lies inside the text", {pattern});
    } else {
        require(message != "no error", "a refused pattern says why", {pattern});
        const std::size_t at = message.rfind(" at byte ");
        if (at != std::string::npos) {
            const long byte = std::stol(message.substr(at + 9));
            require(byte >= 0 && static_cast<std::size_t>(byte) <= pattern.size(),
                    "an error position lies inside the pattern", {pattern, message});
        }
        const Found found = session.search("x");
        require(!found.found && found.position == 0 && found.length == 0 &&
                    session.message() == "no pattern compiled",
                "a refused pattern leaves nothing compiled", {pattern});
    }
    checkMessageBuffers(session);

    require((session.compile(pattern) != 0) == accepted && session.message() == message,
            "compiling again gives the same verdict", {pattern});

    if (isSingleByteText(pattern)) {
        for (const char* other : codePages) {
            JreSession again(other);
            require((again.compile(pattern) != 0) == accepted && again.message() == message,
                    "one-byte characters mean the same under every code page", {pattern});
        }
    }

    if (!pattern.empty()) {
        std::string longer = pattern;
        while (longer.size() <= maxPatternBytes)
            longer += pattern;
        require(session.compile(longer) == 0 && session.message() == "pattern too long",
                "a pattern beyond 4096 bytes is refused", {pattern});
    }
    return 0;
}
