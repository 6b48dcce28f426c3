// The cost of jre32's entry points on one record kept open: compiling a short pattern, and
// searching a short file name, a 200-byte and a 10,000-byte text; the texts are Shift-JIS.
#include "jre32.h"
#include "timing.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A 54-byte record, zeroed, sized and opened.
class Record {
  public:
    Record() {
        bytes_[0] = 54;
        opened_ = Jre2Open(bytes_.data()) != 0;
    }
    ~Record() { Jre2Close(bytes_.data()); }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    bool opened() const { return opened_; }
    void* data() { return bytes_.data(); }
    int matchLength() const { return bytes_[20] | bytes_[21] << 8 | bytes_[22] << 16; }

  private:
    std::array<unsigned char, 54> bytes_{};
    bool opened_ = false;
};

std::vector<char> writable(const std::string& s) {
    std::vector<char> copy(s.begin(), s.end());
    copy.push_back('\0');
    return copy;
}

// `size` bytes of file-name-like Shift-JIS text ("写真_" and digits) with the date at the end.
std::string longText(std::size_t size) {
    const std::string date = "2001_0903.jpg";
    std::string text;
    const std::string piece = "\x8E\xCA\x90\x5E_12_";
    while (text.size() + piece.size() + date.size() <= size)
        text += piece;
    text.append(size - date.size() - text.size(), 'x');
    return text + date;
}

} // namespace

int main() {
#ifdef _WIN32
    _putenv("JRE32_CODEPAGE=932");
#else
    setenv("JRE32_CODEPAGE", "932", 1);
#endif
    Record record;
    if (!record.opened()) {
        std::fprintf(stderr, "Jre2Open refused the record\n");
        return 1;
    }
    std::vector<char> pattern = writable("[0-9][0-9][0-9][0-9]_[0-9][0-9][0-9][0-9]");
    std::vector<char> pathological = writable("(a|a)*(a|a)*b");
    std::vector<char> name = writable("photo_2001_0903.jpg");
    std::vector<char> text200 = writable(longText(200));
    std::vector<char> text10000 = writable(longText(10000));
    std::vector<char> as10000 = writable(std::string(10000, 'a'));
    long found = 0;

    double compile =
        bench::secondsPerRun([&] { found += Jre2Compile(record.data(), pattern.data()); });
    auto searchTime = [&](std::vector<char>& text) {
        return bench::secondsPerRun([&] {
            Jre2GetMatchInfo(record.data(), text.data());
            found += record.matchLength();
        });
    };
    double matchName = searchTime(name);
    double match200 = searchTime(text200);
    double match10000 = searchTime(text10000);
    if (Jre2Compile(record.data(), pathological.data()) == 0)
        return 1;
    double matchPathological = searchTime(as10000);
    std::string nested = std::string(200, '(') + "a?";
    for (int i = 0; i < 200; ++i)
        nested += ")*";
    std::vector<char> nestedPattern = writable(nested + "b");
    std::vector<char> as1000 = writable(std::string(1000, 'a'));
    if (Jre2Compile(record.data(), nestedPattern.data()) == 0)
        return 1;
    double matchNested = searchTime(as1000);
    double fullUse = bench::secondsPerRun([&] {
        Record once;
        Jre2Compile(once.data(), pattern.data());
        Jre2GetMatchInfo(once.data(), name.data());
        found += once.matchLength();
    });

    std::printf("jre32 %u.%02u, code page 932, pattern %s\n", JreGetVersion() >> 8,
                JreGetVersion() & 0xFF, pattern.data());
    bench::report("Jre2Compile", compile);
    bench::report("Jre2GetMatchInfo, photo_2001_0903.jpg (19 bytes)", matchName);
    bench::report("Jre2GetMatchInfo, 200-byte text", match200);
    bench::report("Jre2GetMatchInfo, 10,000-byte text", match10000);
    bench::report("Jre2GetMatchInfo, (a|a)*(a|a)*b on 10,000 a", matchPathological);
    bench::report("Jre2GetMatchInfo, (((a?)*)*...)*b 200 deep on 1,000 a", matchNested);
    bench::report("Jre2Open, Jre2Compile, Jre2GetMatchInfo, Jre2Close", fullUse);
    return found > 0 ? 0 : 1;
}
