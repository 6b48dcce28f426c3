#include "compiled_patterns.h"
#include "handle_per_match.h"
#include "program_folder.h"
#include "regex_handle.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#ifdef _WIN32
constexpr const char* librarySuffix = ".dll";
#else
constexpr const char* librarySuffix = ".so";
#endif

const std::string realLibrary = RegexHandle::libraryName();

std::string fakeLibrary(const std::string& base) {
    return base + librarySuffix;
}

// Asks the platform itself, not the binding, whether a library file is still loaded.
bool platformHasLoaded(const std::string& name) {
#ifdef _WIN32
    return GetModuleHandleA(name.c_str()) != nullptr;
#else
    const std::string path = programFolder() + name;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (module != nullptr)
        dlclose(module);
    return module != nullptr;
#endif
}

class RegexHandleTest : public ::testing::Test {
  protected:
    void TearDown() override { RegexHandle::setLibraryName(realLibrary); }
    void use(const std::string& name) { RegexHandle::setLibraryName(name); }
};

TEST_F(RegexHandleTest, OneUseOfTheRealLibraryFindsTheMatchAndUnloadsIt) {
    {
        RegexHandle handle;
        EXPECT_EQ(RegexHandle::handleCount(), 1);
        EXPECT_FALSE(RegexHandle::libraryLoaded());
        ASSERT_EQ(handle.open(), 1);
        EXPECT_EQ(handle.record().size(), 54);
        EXPECT_EQ(handle.record().openedField(), 1);
        ASSERT_NE(handle.compile("[0-9]+"), 0);
        std::string text = "photo_2001.jpg";
        EXPECT_EQ(handle.findMatch(text, 0), text.data() + 6);
        EXPECT_EQ(handle.matchPosition(), 6);
        EXPECT_EQ(handle.matchLength(), 4);
        EXPECT_TRUE(platformHasLoaded(realLibrary));
    }
    EXPECT_EQ(RegexHandle::handleCount(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());
#ifdef _WIN32
    // glibc keeps a C++ library with unique symbols mapped after dlclose; Windows unloads it.
    EXPECT_FALSE(platformHasLoaded(realLibrary));
#endif
}

#ifdef _WIN32
// The window loads and frees the library for every test pass, many times in one session; a
// load that kept a thread-local slot would end the process after about a thousand.
TEST_F(RegexHandleTest, LoadingTheLibraryAgainAndAgainKeepsNoThreadLocalSlot) {
    auto freeSlot = [] {
        DWORD slot = TlsAlloc();
        TlsFree(slot);
        return slot;
    };
    const DWORD before = freeSlot();
    for (int i = 0; i < 50; ++i) {
        RegexHandle handle;
        ASSERT_EQ(handle.open(), 1);
        ASSERT_NE(handle.compile("[0-9]+"), 0);
        EXPECT_NE(handle.findMatch("photo_2001.jpg", 0), nullptr);
    }
    EXPECT_EQ(freeSlot(), before);
}
#endif

TEST_F(RegexHandleTest, ATextWithoutAMatchLeavesTheLengthAtZero) {
    RegexHandle handle;
    ASSERT_EQ(handle.open(), 1);
    ASSERT_NE(handle.compile("xyz"), 0);
    EXPECT_EQ(handle.findMatch("abc", 0), nullptr);
    EXPECT_EQ(handle.matchLength(), 0);
}

TEST_F(RegexHandleTest, TheRealLibraryRefusesAMalformedPattern) {
    RegexHandle handle;
    ASSERT_EQ(handle.open(), 1);
    EXPECT_EQ(handle.compile("(a"), 0);
}

TEST_F(RegexHandleTest, TheVersionIsTheLow16BitsOfWhatTheLibraryReports) {
    use(fakeLibrary("fake_jre32"));
    RegexHandle handle;
    ASSERT_EQ(handle.open(), 1);
    unsigned version = handle.libraryVersion();
    EXPECT_EQ(version, 0x0210u);
    EXPECT_EQ(version >> 8, 2u);
    EXPECT_EQ(version & 0xFF, 0x10u);
}

TEST_F(RegexHandleTest, AnEmptyPatternOrTextMakesNoLibraryCall) {
    use(fakeLibrary("fake_jre32"));
    RegexHandle handle;
    ASSERT_EQ(handle.open(), 1);
    EXPECT_EQ(handle.compile(""), 0);
    EXPECT_EQ(handle.record().bytes()[4], 0) << "Jre2Compile was called";
    EXPECT_EQ(handle.findMatch("", 0), nullptr);
    EXPECT_EQ(handle.record().bytes()[5], 0) << "Jre2GetMatchInfo was called";
    EXPECT_EQ(handle.matchLength(), 0);

    EXPECT_NE(handle.compile("m"), 0);
    EXPECT_EQ(handle.record().bytes()[4], 1);
}

TEST_F(RegexHandleTest, TheLibraryWorksOnPrivateCopiesOfPatternAndText) {
    use(fakeLibrary("fake_jre32"));
    RegexHandle handle;
    ASSERT_EQ(handle.open(), 1);
    const std::string pattern = "m+";
    ASSERT_NE(handle.compile(pattern), 0);
    const std::string text = "abmmc";
    const char* at = handle.findMatch(text, 0);
    EXPECT_EQ(pattern, "m+");
    EXPECT_EQ(text, "abmmc");
    EXPECT_EQ(at, text.data() + 2);
    EXPECT_EQ(handle.matchLength(), 2);
}

TEST_F(RegexHandleTest, TheStartOffsetReachesTheRecord) {
    use(fakeLibrary("fake_jre32"));
    RegexHandle handle;
    ASSERT_EQ(handle.open(), 1);
    ASSERT_NE(handle.compile("m"), 0);
    handle.findMatch("mmm", 2);
    EXPECT_EQ(handle.record().startOffset(), 2);
}

class MissingEntryPoint : public RegexHandleTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingEntryPoint, OpenFailsAndDestructionFreesTheLibrary) {
    std::string name = fakeLibrary(std::string("fake_jre32_without_") + GetParam());
    use(name);
    {
        RegexHandle handle;
        EXPECT_EQ(handle.open(), 0);
        EXPECT_TRUE(RegexHandle::libraryLoaded()) << "the library stays loaded while in use";
        EXPECT_TRUE(platformHasLoaded(name));
        EXPECT_EQ(handle.compile("m"), 0) << "a handle that did not open makes no call";
        EXPECT_EQ(handle.libraryVersion(), 0u);
    }
    EXPECT_EQ(RegexHandle::handleCount(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());
    EXPECT_FALSE(platformHasLoaded(name));
}

INSTANTIATE_TEST_SUITE_P(EachOfTheSix, MissingEntryPoint,
                         ::testing::Values("Jre2Open", "Jre2Compile", "Jre2GetMatchInfo",
                                           "Jre2Close", "JreGetVersion", "GetJreMessage"));

TEST_F(RegexHandleTest, AMissingLibraryGivesZeroFromOpen) {
    use(fakeLibrary("no_such_regex_library"));
    RegexHandle handle;
    EXPECT_EQ(handle.open(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());
    EXPECT_EQ(handle.findMatch("mmm", 0), nullptr);
}

TEST_F(RegexHandleTest, TheLibraryStaysLoadedUntilTheLastHandleGoes) {
    auto first = std::make_unique<RegexHandle>();
    ASSERT_EQ(first->open(), 1);
    {
        RegexHandle second;
        EXPECT_EQ(RegexHandle::handleCount(), 2);
        ASSERT_EQ(second.open(), 1);
        EXPECT_EQ(second.record().size(), 54);
        ASSERT_NE(second.compile("b"), 0);
        second.findMatch("abc", 0);
        EXPECT_EQ(second.matchPosition(), 1);
    }
    EXPECT_TRUE(RegexHandle::libraryLoaded());
    ASSERT_NE(first->compile("c"), 0);
    first->findMatch("abc", 0);
    EXPECT_EQ(first->matchPosition(), 2);
    first.reset();
    EXPECT_FALSE(RegexHandle::libraryLoaded());
}

void expectSameResult(const MatchResult& kept, const MatchResult& each, const std::string& what) {
    EXPECT_EQ(kept.kind, each.kind) << what;
    EXPECT_EQ(kept.position, each.position) << what;
    EXPECT_EQ(kept.length, each.length) << what;
}

// kibrel-cli's matcher answers every match as the window's does, an empty text after a match
// and a refused pattern asked again included, with one record for each distinct pattern it
// took; when it goes, the library goes.
TEST_F(RegexHandleTest, KeptPatternsAnswerAsAHandleForEveryMatchDoes) {
    const std::pair<std::string, std::string> matches[] = {
        {"[0-9]+", "photo_2001.jpg"},
        {"[0-9]+", ""},
        {"x", "abc"},
        {"[0-9]+", "a1"},
        {"(a", "abc"},
        {"", "abc"},
        {"^(a\fb)$", "a\fb"},
        {"(a", "x"},
        {"x*", "abc"},
    };
    {
        CompiledPatterns kept;
        HandlePerMatch each;
        for (int round = 0; round < 2; ++round)
            for (const auto& [pattern, text] : matches)
                expectSameResult(kept.match(pattern, text), each.match(pattern, text),
                                 pattern + " in " + text);
        EXPECT_EQ(RegexHandle::handleCount(), 4) << "one record for each accepted pattern";
    }
    EXPECT_EQ(RegexHandle::handleCount(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());
}

// The window's matcher holds the library from the first row of a pass to the last, and each
// match meanwhile loads nothing; a library that cannot be opened fails every match on its own.
TEST_F(RegexHandleTest, AHandleForEveryMatchHoldsTheLibraryForTheRowsOfAPass) {
    HandlePerMatch each;
    each.rowsBegin();
    EXPECT_TRUE(RegexHandle::libraryLoaded());
    EXPECT_EQ(each.match("b", "abc").position, 1);
    EXPECT_EQ(RegexHandle::handleCount(), 1);
    EXPECT_TRUE(RegexHandle::libraryLoaded());
    each.rowsEnd();
    EXPECT_EQ(RegexHandle::handleCount(), 0);
    EXPECT_FALSE(RegexHandle::libraryLoaded());

    use(fakeLibrary("no_such_regex_library"));
    each.rowsBegin();
    EXPECT_EQ(each.match("b", "abc").kind, MatchResult::Kind::libraryUnusable);
    CompiledPatterns kept;
    EXPECT_EQ(kept.match("b", "abc").kind, MatchResult::Kind::libraryUnusable);
    each.rowsEnd();
    EXPECT_EQ(RegexHandle::handleCount(), 0);
}

} // namespace
