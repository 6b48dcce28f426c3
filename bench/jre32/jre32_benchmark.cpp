// jre32 against RE2 and PCRE2 with its JIT on the same work: compiling a short pattern, the
// first match in a file name, a match at the end of 10,000 bytes, a pattern that makes a
// backtracking matcher give up, and a Shift-JIS name searched with double-byte classes. Each
// figure is printed with its ratio to RE2's; jre32 works in code page 932, RE2 and PCRE2 take
// the same bytes as Latin-1, except on the Shift-JIS name, where they search its UTF-8 form
// with the same classes in Unicode. Every engine must report the same match, or the benchmark
// fails.
#include "jre32.h"
#include "timing.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#include <re2/re2.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// Where a search found its match, if it found one.
struct Found {
    bool found = false;
    long position = 0;
    long length = 0;
    bool operator==(const Found&) const = default;
};

// One record of jre32, opened in the current code page, with its pattern.
class Jre {
  public:
    explicit Jre(const std::string& pattern) {
        bytes_[0] = 54;
        std::vector<char> copy = writable(pattern);
        ok_ = Jre2Open(bytes_.data()) != 0 && Jre2Compile(bytes_.data(), copy.data()) != 0;
    }
    ~Jre() { Jre2Close(bytes_.data()); }
    Jre(const Jre&) = delete;
    Jre& operator=(const Jre&) = delete;

    bool ok() const { return ok_; }
    Found search(std::vector<char>& text) {
        if (Jre2GetMatchInfo(bytes_.data(), text.data()) == 0)
            return {};
        return {true, field(24), field(20)};
    }

    static std::vector<char> writable(const std::string& s) {
        std::vector<char> copy(s.begin(), s.end());
        copy.push_back('\0');
        return copy;
    }

  private:
    long field(int at) const {
        return static_cast<long>(bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16 |
                                 bytes_[at + 3] << 24);
    }

    std::array<unsigned char, 54> bytes_{};
    bool ok_ = false;
};

RE2::Options re2Options(bool utf8) {
    RE2::Options options;
    options.set_encoding(utf8 ? RE2::Options::EncodingUTF8 : RE2::Options::EncodingLatin1);
    options.set_log_errors(false);
    return options;
}

Found re2Search(const RE2& re, const std::string& text) {
    re2::StringPiece match;
    if (!re.Match(text, 0, text.size(), RE2::UNANCHORED, &match, 1))
        return {};
    return {true, static_cast<long>(match.data() - text.data()), static_cast<long>(match.size())};
}

// A pattern compiled by PCRE2 and then by its JIT, with the match data of its searches.
class Pcre2 {
  public:
    Pcre2(const std::string& pattern, bool utf8) {
        int error = 0;
        PCRE2_SIZE offset = 0;
        code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                              utf8 ? PCRE2_UTF : 0, &error, &offset, nullptr);
        if (code_ != nullptr && pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE) == 0)
            data_ = pcre2_match_data_create_from_pattern(code_, nullptr);
    }
    ~Pcre2() {
        pcre2_match_data_free(data_);
        pcre2_code_free(code_);
    }
    Pcre2(const Pcre2&) = delete;
    Pcre2& operator=(const Pcre2&) = delete;

    bool ok() const { return data_ != nullptr; }
    // The match, or the error PCRE2 gave up with (a negative number other than no match).
    Found search(const std::string& text, int& error) {
        error = pcre2_jit_match(code_, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, 0,
                                data_, nullptr);
        if (error < 0) {
            if (error == PCRE2_ERROR_NOMATCH)
                error = 0;
            return {};
        }
        error = 0;
        PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data_);
        return {true, static_cast<long>(ovector[0]), static_cast<long>(ovector[1] - ovector[0])};
    }

  private:
    pcre2_code* code_ = nullptr;
    pcre2_match_data* data_ = nullptr;
};

// The mean time of one call of body, timed over batches of short calls so that reading the
// clock costs nothing worth counting.
template <typename Body> double secondsPerCall(Body&& body) {
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    body();
    const int batch = std::chrono::duration<double>(Clock::now() - start).count() > 1e-5 ? 1 : 64;
    return bench::secondsPerRun([&] {
               for (int i = 0; i < batch; ++i)
                   body();
           }) /
           batch;
}

std::string describe(const Found& found) {
    if (!found.found)
        return "no match";
    return "match at " + std::to_string(found.position) + ", length " +
           std::to_string(found.length);
}

void printTime(double seconds) {
    if (seconds >= 1e-3)
        std::printf(" %10.3f ms", seconds * 1e3);
    else
        std::printf(" %10.3f us", seconds * 1e6);
}

void printRow(const char* what, double re2, double pcre2, const char* pcre2Failure, double jre32) {
    std::printf("%-44s", what);
    printTime(re2);
    if (pcre2Failure != nullptr)
        std::printf(" %13s", "fails");
    else
        printTime(pcre2);
    printTime(jre32);
    if (pcre2Failure != nullptr)
        std::printf("   %5s  %5.2f   (PCRE2: %s)\n", "-", jre32 / re2, pcre2Failure);
    else
        std::printf("   %5.2f  %5.2f\n", pcre2 / re2, jre32 / re2);
    std::fflush(stdout);
}

// One search row: jre32 on `text`, RE2 and PCRE2 on `otherText` with `otherPattern` (the same
// bytes, or their UTF-8 form when `utf8`). Returns false when the engines disagree.
bool searchRow(const char* what, const std::string& pattern, const std::string& text,
               const std::string& otherPattern, const std::string& otherText, bool utf8) {
    Jre jre(pattern);
    RE2 re2(otherPattern, re2Options(utf8));
    Pcre2 pcre2(otherPattern, utf8);
    if (!jre.ok() || !re2.ok() || !pcre2.ok()) {
        std::fprintf(stderr, "%s: a pattern was refused\n", what);
        return false;
    }
    std::vector<char> jreText = Jre::writable(text);
    int pcre2Error = 0;
    const Found expected = re2Search(re2, otherText);
    const Found fromPcre2 = pcre2.search(otherText, pcre2Error);
    // The first search after a compile and the following ones take different paths.
    Found fromJre = jre.search(jreText);
    const Found again = jre.search(jreText);
    // Positions differ between a Shift-JIS text and its UTF-8 form; whether there is a match
    // does not.
    bool agree = again == fromJre && (utf8 ? fromJre.found == expected.found : fromJre == expected);
    if (!agree ||
        (pcre2Error == 0 && !(utf8 ? fromPcre2.found == expected.found : fromPcre2 == expected))) {
        std::fprintf(stderr, "%s: RE2 finds %s, PCRE2 %s, jre32 %s\n", what,
                     describe(expected).c_str(), describe(fromPcre2).c_str(),
                     describe(fromJre).c_str());
        return false;
    }
    long sink = 0;
    double re2Time = secondsPerCall([&] { sink += re2Search(re2, otherText).length; });
    double pcre2Time = secondsPerCall([&] { sink += pcre2.search(otherText, pcre2Error).length; });
    double jreTime = secondsPerCall([&] { sink += jre.search(jreText).length; });
    char failure[120];
    if (pcre2Error != 0)
        pcre2_get_error_message(pcre2Error, reinterpret_cast<PCRE2_UCHAR*>(failure),
                                sizeof failure);
    printRow(what, re2Time, pcre2Time, pcre2Error != 0 ? failure : nullptr, jreTime);
    return sink >= 0;
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

// The time of one jre32 search of text with pattern.
double jreTime(const std::string& pattern, const std::string& text) {
    Jre jre(pattern);
    std::vector<char> bytes = Jre::writable(text);
    long sink = 0;
    double time = secondsPerCall([&] { sink += jre.search(bytes).length; });
    return sink >= 0 ? time : 0;
}

} // namespace

int main() {
    setenv("JRE32_CODEPAGE", "932", 1);
    const std::string date = "[0-9][0-9][0-9][0-9]_[0-9][0-9][0-9][0-9]";
    std::printf("jre32 %u.%02u (code page 932) against RE2 and PCRE2 with its JIT; "
                "ratios of time, RE2 = 1\n",
                JreGetVersion() >> 8, JreGetVersion() & 0xFF);
    std::printf("%-44s %13s %13s %13s   %5s  %5s\n", "work", "RE2", "PCRE2-JIT", "jre32", "PCRE2",
                "jre32");

    std::vector<char> datePattern = Jre::writable(date);
    std::array<unsigned char, 54> record{};
    record[0] = 54;
    Jre2Open(record.data());
    long sink = 0;
    double jreCompile =
        secondsPerCall([&] { sink += Jre2Compile(record.data(), datePattern.data()); });
    Jre2Close(record.data());
    double re2Compile = secondsPerCall([&] {
        RE2 re(date, re2Options(false));
        sink += re.ok() ? 1 : 0;
    });
    double pcre2Compile = secondsPerCall([&] {
        Pcre2 code(date, false);
        sink += code.ok() ? 1 : 0;
    });
    printRow("compile [0-9]{4}_[0-9]{4} (written out)", re2Compile, pcre2Compile, nullptr,
             jreCompile);

    bool agree = true;
    agree &= searchRow("first match in a 20-byte file name", date, "photos_2001_0903.jpg", date,
                       "photos_2001_0903.jpg", false);
    const std::string long10000 = longText(10000);
    agree &= searchRow("10,000 bytes, match at the end", date, long10000, date, long10000, false);
    const std::string as10000(10000, 'a');
    agree &= searchRow("(a|a)*(a|a)*b on 10,000 a", "(a|a)*(a|a)*b", as10000, "(a|a)*(a|a)*b",
                       as10000, false);
    // IMG0042 京都旅行の写真_2001_0903.jpg; katakana, hiragana and the first level of kanji.
    agree &= searchRow("Shift-JIS name, double-byte classes",
                       "[\x83\x40-\x83\x96\x82\x9F-\x82\xF1\x88\x9F-\x98\x72]+_[0-9]+",
                       "IMG0042 \x8B\x9E\x93\x73\x97\xB7\x8D\x73\x82\xCC\x8E\xCA\x90\x5E"
                       "_2001_0903.jpg",
                       "[\u30A1-\u30F6\u3041-\u3093\u4E00-\u9FA5]+_[0-9]+",
                       "IMG0042 \u4EAC\u90FD\u65C5\u884C\u306E\u5199\u771F_2001_0903.jpg", true);

    // Linear time: ten times the text takes about ten times as long.
    const double shortRun = jreTime("(a|a)*(a|a)*b", as10000);
    const double longRun = jreTime("(a|a)*(a|a)*b", std::string(100000, 'a'));
    std::printf("jre32, (a|a)*(a|a)*b on 100,000 a takes %.1f times as long as on 10,000 a\n",
                longRun / shortRun);

    std::printf("jre32 alone\n");
    bench::report("Jre2GetMatchInfo, 200-byte text", jreTime(date, longText(200)));
    std::string nested = std::string(200, '(') + "a?";
    for (int i = 0; i < 200; ++i)
        nested += ")*";
    bench::report("Jre2GetMatchInfo, (((a?)*)*...)*b 200 deep on 1,000 a",
                  jreTime(nested + "b", std::string(1000, 'a')));
    std::vector<char> name = Jre::writable("photos_2001_0903.jpg");
    bench::report("Jre2Open, Jre2Compile, Jre2GetMatchInfo, Jre2Close", secondsPerCall([&] {
                      Jre once(date);
                      sink += once.search(name).length;
                  }));
    return agree && sink > 0 ? 0 : 1;
}
