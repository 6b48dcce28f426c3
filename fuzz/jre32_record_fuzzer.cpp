#include "fuzz_input.h"
#include "jre32.h"
#include "library_text.h"
#include "property.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

// Drives one record through any sequence of the entry points, as a caller that keeps to the
// record's contract may: it writes only the size, the start offset and the bytes 28-29, and it
// closes a record that holds a compiled pattern before opening it again. Input: the code-page
// byte, the record's alignment, then commands: a byte naming the command, followed by its
// argument bytes (a NUL-terminated text for compile and match). Properties: the library
// writes nothing outside the record nor the caller's fields; a record whose size is not 54 is
// never written and refused by every entry point; what each call returns agrees with the
// record's state; a match lies inside the text on character boundaries; GetJreMessage stays in
// its buffer; and nothing leaks once the record is closed.
namespace {

constexpr std::int32_t recordSize = 54;
constexpr std::size_t guardBytes = 16;
constexpr unsigned char guard = 0xC3;
constexpr char canary = 0x55;

std::int32_t read32(const unsigned char* at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | at[i];
    std::int32_t s;
    std::memcpy(&s, &v, sizeof s);
    return s;
}

void write32(unsigned char* at, std::int32_t s) {
    std::uint32_t v;
    std::memcpy(&v, &s, sizeof v);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(v >> (8 * i));
}

// The commands' bytes, read one after the other.
class Commands {
  public:
    Commands(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string text() {
        std::string t;
        while (at_ < size_ && data_[at_] != 0)
            t += static_cast<char>(data_[at_++]);
        ++at_;
        return t;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class RecordCaller {
  public:
    RecordCaller(unsigned codePage, std::size_t alignment)
        : codePage_(codePage), record_(memory_.data() + guardBytes + alignment) {
        memory_.fill(guard);
        std::memset(record_, 0, recordSize);
        write32(record_, size_);
    }

    void run(Commands& commands) {
        while (!commands.done()) {
            switch (commands.byte() % 8) {
            case 0:
                open();
                break;
            case 1:
                compile(commands.text());
                break;
            case 2:
                match(commands);
                break;
            case 3:
                close();
                break;
            case 4:
                message(commands.byte());
                break;
            case 5:
                callerBytes_[0] = commands.byte();
                callerBytes_[1] = commands.byte();
                std::memcpy(record_ + 28, callerBytes_, 2);
                break;
            case 6:
                resize(commands.byte());
                break;
            default:
                withoutRecord();
                break;
            }
        }
        if (size_ != recordSize)
            resize(0);
        if (opened_)
            close();
    }

  private:
    bool sized() const { return size_ == recordSize; }

    // One entry point on the record, checked for what it may write.
    template <typename Call> int call(Call entryPoint) {
        std::array<unsigned char, recordSize> before;
        std::memcpy(before.data(), record_, recordSize);
        const int result = entryPoint();
        for (std::size_t i = 0; i < memory_.size(); ++i) {
            const unsigned char* at = memory_.data() + i;
            if (at < record_ || at >= record_ + recordSize)
                require(*at == guard, "the library writes nothing outside the record");
        }
        require(std::memcmp(record_ + 28, callerBytes_, 2) == 0,
                "the library leaves the caller's bytes 28-29 alone");
        require(read32(record_) == size_ && read32(record_ + 8) == start_,
                "the library never writes the size or the start offset");
        if (!sized())
            require(std::memcmp(record_, before.data(), recordSize) == 0,
                    "a record of another size is never written");
        return result;
    }

    void open() {
        if (compiled_ && sized())
            return;
        const int opened = call([&] { return Jre2Open(record_); });
        require((opened != 0) == sized(), "a record opens exactly when its size is 54");
        if (sized()) {
            opened_ = true;
            compiled_ = false;
            require(read32(record_ + 20) == 0 && read32(record_ + 24) == 0,
                    "an opened record reads no match");
        }
    }

    void compile(std::string pattern) {
        const int accepted = call([&] { return Jre2Compile(record_, pattern.data()); });
        if (!sized() || !opened_)
            require(accepted == 0, "only an opened record compiles", {pattern});
        else
            compiled_ = accepted != 0;
    }

    void match(Commands& commands) {
        const auto pick = static_cast<std::int8_t>(commands.byte());
        start_ = pick == INT8_MAX ? INT32_MAX : pick == INT8_MIN ? INT32_MIN : pick;
        write32(record_ + 8, start_);
        std::string text = commands.text();
        const int found = call([&] { return Jre2GetMatchInfo(record_, text.data()); });
        if (!sized()) {
            require(found == 0, "a record of another size finds nothing");
            return;
        }
        const std::int32_t length = read32(record_ + 20);
        const std::int32_t position = read32(record_ + 24);
        if (found == 0) {
            require(length == 0 && position == 0, "no match reads 0 and 0", {text});
            return;
        }
        require(opened_ && compiled_, "only a compiled record finds a match", {text});
        require(start_ >= 0 && static_cast<std::size_t>(start_) <= text.size(),
                "a match is found only from a start inside the text", {text});
        require(position >= start_ && length >= 0 &&
                    static_cast<std::size_t>(position) + static_cast<std::size_t>(length) <=
                        text.size(),
                "a match lies inside the text, behind the start", {text});
        require(onLibraryBoundary(text, static_cast<std::size_t>(position), codePage_) &&
                    onLibraryBoundary(text, static_cast<std::size_t>(position + length), codePage_),
                "a match never splits a character", {text});
    }

    void close() {
        const int closed = call([&] { return Jre2Close(record_); });
        require((closed != 0) == (sized() && opened_), "a record closes exactly when it is open");
        if (sized())
            opened_ = compiled_ = false;
    }

    void message(std::uint8_t pick) {
        const int size = pick % 120;
        char buffer[128];
        std::memset(buffer, canary, sizeof buffer);
        const int length = call([&] { return GetJreMessage(record_, buffer, size); });
        for (std::size_t i = static_cast<std::size_t>(size); i < sizeof buffer; ++i)
            require(buffer[i] == canary, "GetJreMessage writes nothing past its buffer");
        const std::string expected = !sized()   ? "record size is not 54"
                                     : !opened_ ? "record not opened"
                                                : "";
        if (!expected.empty())
            require(length == static_cast<int>(expected.size()),
                    "a record that cannot be used is described as such");
        if (size > 0) {
            const auto kept = static_cast<std::size_t>(length < size ? length : size - 1);
            require(std::memchr(buffer, '\0', kept + 1) == buffer + kept,
                    "GetJreMessage ends what it writes with NUL");
            if (!expected.empty())
                require(expected.compare(0, kept, buffer) == 0,
                        "a record that cannot be used is described as such");
        }
    }

    // Gives the record another size, or its own back when it has another.
    void resize(std::uint8_t pick) {
        size_ = sized() ? (pick == recordSize ? 0 : pick) : recordSize;
        write32(record_, size_);
    }

    void withoutRecord() {
        require((JreGetVersion() & 0xFFFF) == 0x0100, "the version is 1.00");
        require(Jre2Open(nullptr) == 0 && Jre2Close(nullptr) == 0 &&
                    Jre2Compile(nullptr, nullptr) == 0 && Jre2GetMatchInfo(nullptr, nullptr) == 0,
                "a null record is refused");
        char buffer[16];
        require(GetJreMessage(nullptr, buffer, sizeof buffer) == 9 &&
                    std::strcmp(buffer, "no record") == 0,
                "a null record is described as no record");
    }

    unsigned codePage_;
    std::array<unsigned char, recordSize + 2 * guardBytes + 8> memory_{};
    unsigned char* record_;
    std::int32_t size_ = recordSize;
    std::int32_t start_ = 0;
    unsigned char callerBytes_[2] = {0, 0};
    bool opened_ = false;
    bool compiled_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const unsigned codePage = codePageOf(data[0]);
    setenv("JRE32_CODEPAGE", std::to_string(codePage).c_str(), 1);
    Commands commands(data + 2, size - 2);
    RecordCaller caller(codePage, data[1] % 8);
    caller.run(commands);
    return 0;
}
