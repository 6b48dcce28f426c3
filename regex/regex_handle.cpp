#include "regex_handle.h"

#include "library_module.h"

#include <vector>

namespace {

#ifdef _WIN32
constexpr const char* defaultLibraryName = "jre32.dll";
#else
constexpr const char* defaultLibraryName = "libjre32.so";
#endif

using RecordCall = int (*)(void*);
using TextCall = int (*)(void*, char*);
using VersionCall = unsigned (*)();
using MessageCall = int (*)(const void*, char*, int);

enum EntryPoint {
    jre2Open,
    jre2Compile,
    jre2GetMatchInfo,
    jre2Close,
    jreGetVersion,
    getJreMessage
};
constexpr const char* entryPointNames[] = {"Jre2Open",  "Jre2Compile",   "Jre2GetMatchInfo",
                                           "Jre2Close", "JreGetVersion", "GetJreMessage"};
constexpr int entryPointCount = sizeof entryPointNames / sizeof entryPointNames[0];

// Shared by every RegexHandle of the process; used by the window's thread only.
struct Binding {
    int handleCount = 0;
    LibraryModule libraryHandle = nullptr;
    LibrarySymbol entryPoints[entryPointCount] = {};
    std::string libraryName = defaultLibraryName;
};

Binding& binding() {
    static Binding b;
    return b;
}

template <typename F> F entry(EntryPoint e) {
    return reinterpret_cast<F>(binding().entryPoints[e]);
}

// The library gets a writable copy of its own, so nothing it does reaches the caller's bytes.
// The handle's buffer is reused, so that a handle kept for many texts allocates no more.
char* privateCopy(std::string_view s, std::vector<char>& copy) {
    copy.assign(s.begin(), s.end());
    copy.push_back('\0');
    return copy.data();
}

} // namespace

RegexHandle::RegexHandle() {
    ++binding().handleCount;
}

RegexHandle::~RegexHandle() {
    Binding& b = binding();
    if (opened_ == 1)
        entry<RecordCall>(jre2Close)(record_.data());
    if (--b.handleCount == 0 && b.libraryHandle != nullptr) {
        freeLibraryModule(b.libraryHandle);
        b.libraryHandle = nullptr;
        for (LibrarySymbol& e : b.entryPoints)
            e = nullptr;
    }
}

int RegexHandle::open() {
    Binding& b = binding();
    if (b.libraryHandle == nullptr)
        b.libraryHandle = loadLibraryModule(b.libraryName.c_str());
    if (b.libraryHandle == nullptr)
        return 0;
    // While the library stays loaded, the entry points an earlier open found serve again.
    for (int e = 0; e < entryPointCount; ++e) {
        if (b.entryPoints[e] == nullptr)
            b.entryPoints[e] = findLibrarySymbol(b.libraryHandle, entryPointNames[e]);
        if (b.entryPoints[e] == nullptr)
            return 0;
    }
    record_.clear();
    record_.setSize(MatchRecord::recordSize);
    if (entry<RecordCall>(jre2Open)(record_.data()) == 0)
        return 0;
    opened_ = 1;
    record_.setOpenedField(1);
    return 1;
}

int RegexHandle::compile(std::string_view pattern) {
    char* copy = privateCopy(pattern, copy_);
    if (pattern.empty() || opened_ == 0)
        return 0;
    return entry<TextCall>(jre2Compile)(record_.data(), copy);
}

const char* RegexHandle::findMatch(const std::string& text, int startOffset) {
    char* copy = privateCopy(text, copy_);
    if (text.empty() || opened_ == 0)
        return nullptr;
    record_.setStartOffset(startOffset);
    if (entry<TextCall>(jre2GetMatchInfo)(record_.data(), copy) == 0)
        return nullptr;
    int at = record_.matchPosition();
    if (at < 0 || static_cast<std::size_t>(at) > text.size())
        return nullptr;
    return text.data() + at;
}

unsigned RegexHandle::libraryVersion() {
    if (opened_ == 0)
        return 0;
    return entry<VersionCall>(jreGetVersion)() & 0xFFFF;
}

std::string RegexHandle::libraryMessage() const {
    if (opened_ == 0)
        return {};
    char text[128] = {};
    const int length = entry<MessageCall>(getJreMessage)(record_.bytes(), text, sizeof text);
    return length > 0 ? std::string(text) : std::string();
}

int RegexHandle::handleCount() {
    return binding().handleCount;
}

bool RegexHandle::libraryLoaded() {
    return binding().libraryHandle != nullptr;
}

void RegexHandle::setLibraryName(std::string name) {
    binding().libraryName = std::move(name);
}

const std::string& RegexHandle::libraryName() {
    return binding().libraryName;
}
