#include "chm_archive.h"
#include "help_file.h"
#include "opened_help_files.h"
#include "program_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The help file that the build compiles beside this test program, read as the engine reads it,
// and damaged copies of it.

namespace help_engine {
namespace {

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const std::string& helpFileBytes() {
    static const std::string bytes = fileBytes(programFolder() + "kibrel.chm");
    return bytes;
}

HelpFile openHelpFile() {
    std::optional<HelpFile> file = HelpFile::open(helpFileBytes());
    if (!file)
        throw std::runtime_error("kibrel.chm beside the test program does not open");
    return std::move(*file);
}

// The sources that help/CMakeLists.txt copies into its staging folder, each in the help file
// under its own name: pages and style sheet, contents, index, pop-up texts.
TEST(HelpFile, EverySourceReadsBackFromTheCompressedSection) {
    std::optional<ChmArchive> archive = ChmArchive::open(helpFileBytes());
    ASSERT_TRUE(archive);
    int compared = 0;
    for (const auto& source : std::filesystem::directory_iterator(
             std::filesystem::path(programFolder()) / ".." / "help" / "stage")) {
        const std::string name = "/" + source.path().filename().string();
        const std::string extension = source.path().extension().string();
        if (extension == ".hhp" || extension == ".chm")
            continue;
        SCOPED_TRACE(name);
        ASSERT_EQ(archive->entries().at(name).section, 1u);
        EXPECT_EQ(archive->read(name), fileBytes(source.path()));
        ++compared;
    }
    EXPECT_GE(compared, 15);
    EXPECT_FALSE(archive->read("/missing.html"));
}

struct PopupCase {
    unsigned number;
    const char16_t* begins;
};

// Every help number that the program asks for, by the words its text begins with.
const PopupCase popupCases[] = {
    {11001, u"Search ボックス: 探す"},    {11002, u"Replace ボックス: 一致"},
    {11003, u"「Test」ボタン: "},         {11004, u"「List」ボタン: "},
    {11005, u"「Unlist」ボタン: "},       {11006, u"「Exit」ボタン: "},
    {11007, u"ファイルリスト: "},         {11008, u"「Rename!」の状態: "},
    {102, u"Kibrel: たくさんのファイル"}, {1050, u"領域 { } は丸かっこ ( ) の中に書けません。"},
};

TEST(HelpFile, PopupTextsOfEveryHelpNumberDecodeFromShiftJis) {
    HelpFile file = openHelpFile();
    EXPECT_EQ(file.codePage(), 932u);
    for (const PopupCase& c : popupCases) {
        SCOPED_TRACE(c.number);
        const std::optional<std::u16string> text = file.popupText("/cshelp.txt", c.number);
        ASSERT_TRUE(text);
        EXPECT_TRUE(text->starts_with(c.begins));
        EXPECT_EQ(text->find(u'\n'), std::u16string::npos) << "one topic, one line";
    }
    EXPECT_FALSE(file.popupText("/cshelp.txt", 11009));
    EXPECT_FALSE(file.popupText("/cshelp.txt", 0));
    EXPECT_FALSE(file.popupText("/missing.txt", 11001));
}

// Every entry of the contents and the index leads to a page of the file, and to a place that
// the page names.
TEST(HelpFile, ContentsAndIndexLeadToPagesAndTheirAnchors) {
    HelpFile file = openHelpFile();
    EXPECT_EQ(file.title(), u"Kibrel ヘルプ");
    EXPECT_EQ(file.defaultTopic().path, "/index.html");
    ASSERT_GE(file.contents().size(), 12u);
    EXPECT_EQ(file.contents().front().name, u"Kibrel へようこそ");
    EXPECT_EQ(file.contents()[1].name, u"ウィンドウ") << "a book";
    EXPECT_EQ(file.contents()[2].level, 1);
    ASSERT_GE(file.index().size(), 40u);
    for (const auto* entries : {&file.contents(), &file.index()}) {
        for (const SitemapEntry& entry : *entries) {
            if (entry.local.empty())
                continue;
            SCOPED_TRACE(entry.local);
            const std::optional<Location> target = file.resolve("/", entry.local);
            ASSERT_TRUE(target);
            const std::optional<Page> page = file.page(target->path);
            ASSERT_TRUE(page);
            EXPECT_FALSE(page->title.empty());
            if (target->anchor.empty())
                continue;
            const bool named =
                std::any_of(page->blocks.begin(), page->blocks.end(), [&](const Block& b) {
                    return std::find(b.anchors.begin(), b.anchors.end(), target->anchor) !=
                           b.anchors.end();
                });
            EXPECT_TRUE(named) << target->anchor;
        }
    }
}

struct SearchCase {
    const char16_t* query;
    const char* first; // the page with the most hits, or null for none
};

const SearchCase searchCases[] = {
    {u"領域", "/search.html"},
    {u"rename test", "/rename.html"},
    {u"ＲＥＮＡＭＥ　ＴＥＳＴ", "/rename.html"}, // full-width letters and space
    {u"jre32.dll", "/messages.html"},
    {u"領域 zzqx", nullptr}, // every word must stand in the page
    {u"  ", nullptr},
};

TEST(HelpFile, SearchFindsPagesWithEveryWordMostHitsFirst) {
    HelpFile file = openHelpFile();
    for (const SearchCase& c : searchCases) {
        const std::vector<SearchHit> hits = file.search(c.query);
        if (c.first == nullptr) {
            EXPECT_TRUE(hits.empty()) << hits.front().path;
            continue;
        }
        ASSERT_FALSE(hits.empty()) << c.first;
        EXPECT_EQ(hits.front().path, c.first);
        EXPECT_FALSE(hits.front().title.empty());
        for (std::size_t i = 1; i < hits.size(); ++i)
            EXPECT_GE(hits[i - 1].count, hits[i].count);
    }
}

// What the index's prefix match and the search compare: full-width ASCII as ASCII, capitals
// as small letters; nothing else changes.
const std::pair<char16_t, char16_t> foldCases[] = {
    {u'A', u'a'},           {u'Z', u'z'},           {u'a', u'a'},           {u'\uFF21', u'a'},
    {u'\uFF5A', u'z'},      {u'\uFF01', u'!'},      {u'\uFF5E', u'~'},      {u'\uFF10', u'0'},
    {u'\u3000', u'\u3000'}, {u'\uFF5F', u'\uFF5F'}, {u'\uFF00', u'\uFF00'}, {u'\u00C0', u'\u00C0'},
    {u'\u30A2', u'\u30A2'},
};

TEST(HelpFile, FoldingIgnoresCaseAndFullWidth) {
    for (const auto& [c, expected] : foldCases)
        EXPECT_EQ(folded(c), expected) << static_cast<int>(c);
}

struct ResolveCase {
    const char* from;
    const char* href;
    const char* path; // null: the link leads out of the file
    const char* anchor;
};

const ResolveCase resolveCases[] = {
    {"/index.html", "search.html#regions", "/search.html", "regions"},
    {"/index.html", "#flow", "/index.html", "flow"},
    {"/sub/a.html", "../b.html", "/b.html", ""},
    {"/sub/a.html", "./c/../d%20e.html", "/sub/d e.html", ""},
    {"/index.html", "ms-its:kibrel.chm::/regex.html#dot", "/regex.html", "dot"},
    {"/index.html", "mk:@MSITStore:kibrel.chm::/a/b.html", "/a/b.html", ""},
    {"/index.html", "http://example.org/x.html", nullptr, ""},
    {"/index.html", "mailto:someone@example.org", nullptr, ""},
};

TEST(HelpFile, LinksResolveInsideTheFileOrNowhere) {
    HelpFile file = openHelpFile();
    for (const ResolveCase& c : resolveCases) {
        SCOPED_TRACE(c.href);
        const std::optional<Location> location = file.resolve(c.from, c.href);
        ASSERT_EQ(location.has_value(), c.path != nullptr);
        if (location) {
            EXPECT_EQ(location->path, c.path);
            EXPECT_EQ(location->anchor, c.anchor);
        }
    }
}

TEST(HelpFile, FileArgumentSplitsIntoPathInnerFileAndWindow) {
    const HelpFileName popup = splitHelpFileName("C:\\kibrel\\kibrel.chm::/cshelp.txt");
    EXPECT_EQ(popup.path, "C:\\kibrel\\kibrel.chm");
    EXPECT_EQ(popup.inner, "/cshelp.txt");
    const HelpFileName window = splitHelpFileName("Z:\\a b\\k.chm::index.html>main");
    EXPECT_EQ(window.path, "Z:\\a b\\k.chm");
    EXPECT_EQ(window.inner, "/index.html");
    EXPECT_EQ(window.window, "main");
    const HelpFileName plain = splitHelpFileName("Z:\\\x95\x5C\\k.chm");
    EXPECT_EQ(plain.path, "Z:\\\x95\x5C\\k.chm");
    EXPECT_EQ(plain.inner, "");
}

constexpr int openedAnew = -1;
constexpr int none = -2;

struct OpenStep {
    const char* path;
    FileStamp stamp;
    bool readable;
    int sameAs; // the step whose file it gives again, openedAnew or none
};

const OpenStep openSteps[] = {
    {"a.chm", {100, 1}, true, openedAnew}, {"a.chm", {100, 1}, true, 0},
    {"a.chm", {100, 2}, true, openedAnew}, // rewritten with the same size
    {"a.chm", {101, 2}, true, openedAnew}, // grown in the same tick
    {"a.chm", {101, 2}, false, 3},         // unchanged: not read again
    {"b.chm", {100, 1}, false, none},      // unreadable, and not kept as such
    {"b.chm", {100, 1}, true, openedAnew}, {"c.chm", {100, 1}, true, openedAnew},
    {"d.chm", {100, 1}, true, openedAnew}, {"a.chm", {101, 2}, true, 3},
    {"e.chm", {100, 1}, true, openedAnew}, // the fifth: b, used longest ago, goes
    {"a.chm", {101, 2}, true, 3},          {"b.chm", {100, 1}, true, openedAnew},
};

// A path asked for again gives the file opened before while its stamp stays, and reads the
// file anew once the stamp has changed or it was dropped for others.
TEST(HelpFile, OpenedFilesAreKeptUntilTheirStampChanges) {
    OpenedHelpFiles opened;
    std::vector<std::shared_ptr<HelpFile>> given;
    for (const OpenStep& step : openSteps) {
        SCOPED_TRACE(given.size());
        bool read = false;
        given.push_back(opened.open(step.path, step.stamp, [&]() -> std::optional<std::string> {
            read = true;
            return step.readable ? std::optional(helpFileBytes()) : std::nullopt;
        }));
        EXPECT_EQ(read, step.sameAs < 0);
        EXPECT_EQ(given.back() == nullptr, step.sameAs == none);
        if (step.sameAs >= 0) {
            EXPECT_EQ(given.back(), given[static_cast<std::size_t>(step.sameAs)]);
        } else if (step.sameAs == openedAnew) {
            EXPECT_EQ(std::count(given.begin(), given.end(), given.back()), 1);
        }
    }
}

std::uint64_t numberAt(const std::string& bytes, std::size_t pos, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = value << 8 | static_cast<std::uint8_t>(bytes[pos + i]);
    return value;
}

void setNumber(std::string& bytes, std::size_t pos, std::size_t size, std::uint64_t value) {
    for (std::size_t i = 0; i < size; ++i, value >>= 8)
        bytes[pos + i] = static_cast<char>(value & 0xFF);
}

constexpr std::size_t directoryOffsetField = 0x48;
constexpr std::size_t contentOffsetField = 0x58;
constexpr std::size_t firstChunkField = 0x20;
constexpr std::size_t chunkCountField = 0x2C;

std::size_t directoryAt(const std::string& bytes) {
    return static_cast<std::size_t>(numberAt(bytes, directoryOffsetField, 8));
}

// Where the file `name` of the uncompressed section lies in the help file.
std::size_t section0At(const std::string& bytes, const char* name) {
    std::optional<ChmArchive> archive = ChmArchive::open(bytes);
    return static_cast<std::size_t>(numberAt(bytes, contentOffsetField, 8) +
                                    archive->entries().at(name).offset);
}

// Where the field `field` (0 section, 1 offset, 2 length) of the directory entry `name` lies,
// and how many bytes it takes.
std::pair<std::size_t, std::size_t> entryField(const std::string& bytes, std::string_view name,
                                               int field) {
    std::size_t pos = bytes.find(name, directoryAt(bytes)) + name.size();
    for (int at = 0;; ++at) {
        const std::size_t start = pos;
        while (static_cast<std::uint8_t>(bytes[pos]) & 0x80)
            ++pos;
        if (++pos; at == field)
            return {start, pos - start};
    }
}

// Gives a directory entry's field another value, written in as many bytes as it took.
void setEntryField(std::string& bytes, std::string_view name, int field, std::uint64_t value) {
    const auto [pos, size] = entryField(bytes, name, field);
    for (std::size_t i = size; i-- > 0; value >>= 7)
        bytes[pos + i] = static_cast<char>((value & 0x7F) | (i + 1 < size ? 0x80 : 0));
}

const char* const resetTable =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
    "InstanceData/ResetTable";
const char* const content = "::DataSpace/Storage/MSCompressed/Content";
const char* const controlData = "::DataSpace/Storage/MSCompressed/ControlData";

struct DamageCase {
    const char* name;
    std::function<void(std::string&)> damage;
    bool opens;
};

const DamageCase damageCases[] = {
    {"empty", [](std::string& b) { b.clear(); }, false},
    {"cut inside the header", [](std::string& b) { b.resize(0x50); }, false},
    {"cut inside the directory", [](std::string& b) { b.resize(directoryAt(b) + 0x100); }, false},
    {"no ITSF signature", [](std::string& b) { b[0] = 'X'; }, false},
    {"directory past the end",
     [](std::string& b) { setNumber(b, directoryOffsetField, 8, b.size() - 16); }, false},
    {"more listing chunks than the directory holds",
     [](std::string& b) { setNumber(b, directoryAt(b) + chunkCountField, 4, 0x10000); }, false},
    {"first listing chunk out of range",
     [](std::string& b) { setNumber(b, directoryAt(b) + firstChunkField, 4, 7); }, false},
    {"listing's free space larger than its chunk",
     [](std::string& b) { setNumber(b, directoryAt(b) + 0x54 + 4, 4, 0xFFFFFF); }, false},
    {"cut inside the compressed content",
     [](std::string& b) { b.resize(section0At(b, content) + 5000); }, true},
    {"one byte cut from the end", [](std::string& b) { b.pop_back(); }, true},
    {"compressed content zeroed",
     [](std::string& b) {
         std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(section0At(b, content)), 4000, '\0');
     },
     true},
    {"section claims a terabyte",
     [](std::string& b) {
         setNumber(b, section0At(b, resetTable) + 16, 8, std::uint64_t{1} << 40);
     },
     true},
    {"more frame offsets than the reset table holds",
     [](std::string& b) { setNumber(b, section0At(b, resetTable) + 4, 4, 0x7FFFFFFF); }, true},
    {"frame offset past the content",
     [](std::string& b) { setNumber(b, section0At(b, resetTable) + 40 + 16, 8, 1u << 30); }, true},
    {"window of 3 frames",
     [](std::string& b) { setNumber(b, section0At(b, controlData) + 16, 4, 3); }, true},
    {"no reset interval",
     [](std::string& b) { setNumber(b, section0At(b, controlData) + 12, 4, 0); }, true},
    {"control data shorter than its signature",
     [](std::string& b) { setEntryField(b, controlData, 2, 2); }, true},
    {"compressed content running past the end of the file",
     [](std::string& b) { setEntryField(b, content, 2, b.size()); }, true},
    {"section claims all that its content could decode to",
     [](std::string& b) {
         setNumber(b, section0At(b, resetTable) + 16, 8,
                   ChmArchive::open(b)->entries().at(content).length * 1028);
     },
     true},
};

// A damaged file gives no help file, or one whose compressed files (the pop-up texts among
// them) cannot be read; never a crash, and never memory beyond what its size allows (the
// sanitizers and the fuzz target watch that).
TEST(HelpFile, DamagedFileGivesNothingOfWhatItDamaged) {
    for (const DamageCase& c : damageCases) {
        SCOPED_TRACE(c.name);
        std::string bytes = helpFileBytes();
        c.damage(bytes);
        std::optional<HelpFile> file = HelpFile::open(bytes);
        ASSERT_EQ(file.has_value(), c.opens);
        if (!file)
            continue;
        EXPECT_FALSE(file->popupText("/cshelp.txt", 11001));
        EXPECT_FALSE(file->page("/index.html"));
        EXPECT_TRUE(file->contents().empty());
        EXPECT_TRUE(file->search(u"Kibrel").empty());
    }
}

} // namespace
} // namespace help_engine
