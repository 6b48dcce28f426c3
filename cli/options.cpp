#include "options.h"

#include "code_page_choice.h"

#include <charconv>
#include <cstddef>
#include <string_view>
#include <system_error>
#include <utility>

namespace {

enum class Option {
    search,
    replace,
    dryRun,
    codePage,
    order,
    undo,
    fromFile,
    nullSeparated,
    quiet,
    verbose,
    windowsNames,
    start,
    help,
    version
};

struct OptionName {
    Option option;
    char shortName; // 0: none
    std::string_view longName;
    bool takesValue;
};

constexpr OptionName optionNames[] = {
    {Option::search, 's', "search", true},
    {Option::replace, 'r', "replace", true},
    {Option::dryRun, 'n', "dry-run", false},
    {Option::codePage, 0, "code-page", true},
    {Option::order, 0, "order", false},
    {Option::undo, 0, "undo", false},
    {Option::fromFile, 0, "from-file", true},
    {Option::nullSeparated, '0', "null", false},
    {Option::quiet, 'q', "quiet", false},
    {Option::verbose, 'v', "verbose", false},
    {Option::windowsNames, 0, "windows-names", false},
    {Option::start, 0, "start", true},
    {Option::help, 'h', "help", false},
    {Option::version, 'V', "version", false},
};

// The largest first number: with a number for every PATH behind it, the count stays far from
// the end of its type.
constexpr std::uint64_t largestStart = 999'999'999'999'999'999;

// The first number of --start: a whole number from 0 to largestStart, written in decimal
// digits alone.
bool readStart(std::string_view value, std::uint64_t& start) {
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, start);
    return error == std::errc() && stop == end && start <= largestStart;
}

const OptionName* byShortName(char c) {
    for (const OptionName& o : optionNames)
        if (o.shortName == c)
            return &o;
    return nullptr;
}

// The option a long name or an unambiguous prefix of one names, or nullptr; ambiguous is set
// when the prefix fits more than one.
const OptionName* byLongName(std::string_view name, bool& ambiguous) {
    const OptionName* found = nullptr;
    ambiguous = false;
    for (const OptionName& o : optionNames) {
        if (o.longName == name)
            return &o;
        if (o.longName.substr(0, name.size()) == name) {
            ambiguous = found != nullptr;
            found = &o;
        }
    }
    return ambiguous ? nullptr : found;
}

class Parser {
  public:
    // The PATHs are views of args.
    explicit Parser(const std::vector<std::string_view>& args) : args_(args) {}

    CommandLine parse() {
        bool optionsEnded = false;
        for (index_ = 0; index_ < args_.size() && !done(); ++index_) {
            const std::string_view arg = args_[index_];
            if (optionsEnded || arg.size() < 2 || arg[0] != '-')
                result_.options.paths.push_back(arg);
            else if (arg == "--")
                optionsEnded = true;
            else if (arg[1] == '-')
                longOption(arg.substr(2));
            else
                shortOptions(arg.substr(1));
        }
        if (!done())
            checkWhatIsGiven();
        return std::move(result_);
    }

  private:
    // Once every argument is read: --undo stands alone, a run needs a Search text and PATHs.
    void checkWhatIsGiven() {
        const Options& options = result_.options;
        const bool pathsGiven = !options.paths.empty() || !options.fromFile.empty();
        if (undo_ && (searchGiven_ || pathsGiven))
            fail({"--undo takes back the last run: give it no Search text and no PATH"});
        else if (undo_)
            result_.request = Request::undo;
        else if (!searchGiven_)
            fail({"the Search text is missing: give it with -s TEXT"});
        else if (!pathsGiven)
            fail({"no PATH given: name the files and folders to rename, or --from-file"});
    }

    // Help, the version or a usage error ends the reading.
    bool done() const { return result_.request != Request::run; }

    void fail(Phrase error) {
        result_.request = Request::usageError;
        result_.error = std::move(error);
    }

    // The value of an option that takes one and was not given it in its own argument: the next
    // argument, whatever it looks like, so that "-s -" searches for a hyphen.
    bool nextValue(std::string& value) {
        if (index_ + 1 >= args_.size())
            return false;
        value = args_[++index_];
        return true;
    }

    void longOption(std::string_view body) {
        std::size_t equals = body.find('=');
        std::string_view name = body.substr(0, equals);
        bool ambiguous = false;
        const OptionName* o = byLongName(name, ambiguous);
        if (o == nullptr) {
            fail({ambiguous ? "option '--%1' is ambiguous" : "unrecognized option '--%1'",
                  {std::string(name)}});
            return;
        }
        const std::string longName(o->longName);
        std::string value;
        if (!o->takesValue) {
            if (equals != std::string_view::npos)
                fail({"option '--%1' doesn't allow an argument", {longName}});
            else
                apply(*o, value);
            return;
        }
        if (equals != std::string_view::npos)
            value = std::string(body.substr(equals + 1));
        else if (!nextValue(value)) {
            fail({"option '--%1' requires an argument", {longName}});
            return;
        }
        apply(*o, value);
    }

    void shortOptions(std::string_view cluster) {
        for (std::size_t i = 0; i < cluster.size() && !done(); ++i) {
            const OptionName* o = byShortName(cluster[i]);
            if (o == nullptr) {
                fail({"invalid option -- '%1'", {std::string(1, cluster[i])}});
                return;
            }
            std::string value;
            if (o->takesValue) {
                if (i + 1 < cluster.size())
                    value = std::string(cluster.substr(i + 1));
                else if (!nextValue(value)) {
                    fail({"option requires an argument -- '%1'", {std::string(1, cluster[i])}});
                    return;
                }
                apply(*o, value);
                return;
            }
            apply(*o, value);
        }
    }

    void apply(const OptionName& o, const std::string& value) {
        Options& options = result_.options;
        switch (o.option) {
        case Option::search:
            options.search = value;
            searchGiven_ = true;
            break;
        case Option::replace:
            options.replace = value;
            break;
        case Option::dryRun:
            options.dryRun = true;
            break;
        case Option::codePage:
            options.codePage = codePageNamed(value);
            if (options.codePage == 0)
                fail({"invalid code page '%1': use 932, utf-8 or 1252", {value}});
            break;
        case Option::order:
            options.order = true;
            break;
        case Option::undo:
            undo_ = true;
            break;
        case Option::fromFile:
            options.fromFile = value;
            if (value.empty())
                fail({"--from-file needs a FILE, or - for standard input"});
            break;
        case Option::nullSeparated:
            options.nullSeparated = true;
            break;
        case Option::quiet:
            options.verbosity = Verbosity::quiet;
            break;
        case Option::verbose:
            options.verbosity = Verbosity::verbose;
            break;
        case Option::windowsNames:
            options.windowsNames = true;
            break;
        case Option::start:
            if (!readStart(value, options.start))
                fail({"invalid first number '%1': --start takes a whole number from 0 to %2",
                      {value, std::to_string(largestStart)}});
            break;
        case Option::help:
            result_.request = Request::help;
            break;
        case Option::version:
            result_.request = Request::version;
            break;
        }
    }

    const std::vector<std::string_view>& args_;
    std::size_t index_ = 0;
    bool searchGiven_ = false;
    bool undo_ = false;
    CommandLine result_;
};

} // namespace

CommandLine parseCommandLine(const std::vector<std::string_view>& args) {
    return Parser(args).parse();
}
