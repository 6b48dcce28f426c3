#include "fake_pass.h"
#include "foresight.h"
#include "journal.h"
#include "ordered_renames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

void PrintTo(const Conflict& c, std::ostream* os) {
    *os << "{" << static_cast<int>(c.kind) << ", " << c.row << ", " << c.other << "}";
}

namespace {

using Kind = Conflict::Kind;

struct ForesightCase {
    const char* comment;
    std::vector<PlannedRename> rows;
    std::set<std::string> others; // files of no row
    std::vector<Conflict> conflicts;
};

const ForesightCase foresightCases[] = {
    {"three rows onto one name",
     {{"a1", "x1"}, {"b1", "x1"}, {"c1", "x1"}},
     {},
     {{Kind::sameNewName, 1, 0}, {Kind::sameNewName, 2, 0}}},
    {"a file of no row", {{"a", "b"}}, {"b"}, {{Kind::existingFile, 0, -1}}},
    {"a row left alone keeps its file", {{"a", "b"}, {"b", ""}}, {}, {{Kind::existingFile, 0, 1}}},
    {"a chain in list order", {{"1", "2"}, {"2", "3"}}, {}, {{Kind::chain, 0, 1}}},
    {"the same chain the other way round", {{"2", "3"}, {"1", "2"}}, {}, {}},
    {"a swap is told once", {{"ab", "ba"}, {"ba", "ab"}}, {}, {{Kind::swap, 0, 1}}},
    {"a row onto its own name", {{"a", "a"}}, {}, {}},
    {"a name freed by an earlier row", {{"a", "c"}, {"b", "a"}}, {}, {}},
};

class Foresight : public ::testing::TestWithParam<ForesightCase> {};

TEST_P(Foresight, MeetsTheConflictsOfTheWindowsPass) {
    const ForesightCase& c = GetParam();
    std::set<std::string> onDisk = c.others;
    for (const PlannedRename& row : c.rows)
        onDisk.insert(std::string(row.oldPath));
    auto exists = [&](std::string_view path) { return onDisk.count(std::string(path)) != 0; };
    EXPECT_EQ(foreseeListOrder(c.rows, exists), c.conflicts) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(Cases, Foresight, ::testing::ValuesIn(foresightCases));

// A folder in memory that never replaces a file, and fails the renames it is told to.
class MemoryDisk : public FileRenamer {
  public:
    RenameResult rename(const std::string& from, const std::string& to) override {
        if (failing.count(from) != 0 || files.count(from) == 0 || files.count(to) != 0)
            return {false, "refused"};
        files[to] = files[from];
        files.erase(from);
        return {true};
    }
    std::map<std::string, std::string> files;
    std::set<std::string> failing;
};

// Over many random rows, the forecast names exactly the rows that the pass in list order fails
// (the second row of a swap in the swap told at its first): a few hundred paths fill the
// forecast's table far beyond its smallest size.
TEST(Foresight, NamesTheRowsThatThePassInListOrderFails) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        auto name = [&] { return "n" + std::to_string(random() % 400); };
        MemoryDisk disk;
        std::deque<std::string> paths;
        std::vector<PlannedRename> rows;
        for (int i = 0; i < 300; ++i) {
            const std::string old = name();
            if (!disk.files.emplace(old, old).second)
                continue;
            const std::string_view oldPath = paths.emplace_back(old);
            rows.push_back({oldPath, random() % 8 == 0
                                         ? std::string_view()
                                         : std::string_view(paths.emplace_back(name()))});
        }
        for (int i = 0; i < 30; ++i)
            disk.files.emplace(name(), "of no row");
        const auto exists = [&](std::string_view path) {
            return disk.files.count(std::string(path)) != 0;
        };
        std::set<int> foreseen;
        for (const Conflict& c : foreseeListOrder(rows, exists)) {
            foreseen.insert(c.row);
            if (c.kind == Conflict::Kind::swap)
                foreseen.insert(c.other);
        }
        std::set<int> failed;
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (!rows[r].newPath.empty() && rows[r].newPath != rows[r].oldPath &&
                !disk.rename(std::string(rows[r].oldPath), std::string(rows[r].newPath)).renamed)
                failed.insert(static_cast<int>(r));
        EXPECT_EQ(foreseen, failed) << "round " << round;
    }
}

OrderedPlan planFor(const std::vector<PlannedRename>& rows, const MemoryDisk& disk) {
    return planOrder(
        rows, [&](std::string_view path) { return disk.files.count(std::string(path)) != 0; },
        [](std::string_view path, int n) {
            return std::string(path) + ".tmp" + std::to_string(n);
        });
}

// Chains go from their end, cycles through a temporary name; a cycle whose step fails is taken
// back, so every file ends under its old or its new name.
TEST(OrderedRenames, ChainsAndSwapsSucceedAndAFailedCycleIsTakenBack) {
    MemoryDisk disk;
    disk.files = {{"1", "one"}, {"2", "two"}, {"a", "A"}, {"b", "B"}, {"c", "C"}, {"a.tmp0", "T"}};
    const std::vector<PlannedRename> rows = {
        {"1", "2"}, {"2", "3"}, {"a", "b"}, {"b", "c"}, {"c", "a"}};
    OrderedPlan plan = planFor(rows, disk);
    ASSERT_EQ(plan.chains.size(), 1u);
    EXPECT_EQ(plan.chains[0][0].from, "2") << "the end of the chain moves first";
    ASSERT_EQ(plan.cycles.size(), 1u);
    EXPECT_EQ(plan.cycles[0].front().to, "a.tmp1") << "a temporary name that is free";
    std::vector<bool> renamed = runOrdered(plan, rows.size(), disk, [](auto&, auto&) {});
    EXPECT_EQ(renamed, (std::vector<bool>{true, true, true, true, true}));
    EXPECT_EQ(
        disk.files,
        (std::map<std::string, std::string>{
            {"2", "one"}, {"3", "two"}, {"b", "A"}, {"c", "B"}, {"a", "C"}, {"a.tmp0", "T"}}));

    MemoryDisk failing;
    failing.files = {{"a", "A"}, {"b", "B"}, {"c", "C"}};
    failing.failing = {"b"};
    const std::vector<PlannedRename> cycle = {{"a", "b"}, {"b", "c"}, {"c", "a"}};
    renamed = runOrdered(planFor(cycle, failing), cycle.size(), failing, [](auto&, auto&) {});
    EXPECT_EQ(renamed, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(failing.files,
              (std::map<std::string, std::string>{{"a", "A"}, {"b", "B"}, {"c", "C"}}));
}

TEST(OrderedRenames, RowsThatNoOrderCanRenameAreConflicts) {
    MemoryDisk disk;
    disk.files = {{"a", "A"}, {"b", "B"}, {"c", "C"}, {"x", "X"}};
    const std::vector<PlannedRename> rows = {{"a", "n"}, {"b", "n"}, {"c", "x"}, {"x", ""}};
    OrderedPlan plan = planFor(rows, disk);
    EXPECT_EQ(plan.conflicts,
              (std::vector<Conflict>{{Kind::sameNewName, 1, 0}, {Kind::existingFile, 2, 3}}));

    // They are told as passes over the list from the top meet them: the row that c -> f stops
    // comes earlier in the list, so it is met in a second pass, after p -> g.
    disk.files = {{"a", "A"}, {"b", "B"}, {"c", "C"}, {"p", "P"}, {"f", "F"}, {"g", "G"}};
    plan = planFor({{"b", "c"}, {"c", "f"}, {"a", "b"}, {"p", "g"}}, disk);
    EXPECT_EQ(plan.conflicts, (std::vector<Conflict>{{Kind::existingFile, 1, -1},
                                                     {Kind::existingFile, 3, -1},
                                                     {Kind::existingFile, 0, 1},
                                                     {Kind::existingFile, 2, 0}}));
}

// A long chain in list order, each row onto the next row's name (a renumbering): with the last
// new name free every file moves one on; with it taken by a file of no row no row can move, and
// each is told once, from the last up. Each row that cannot move stops only the row before it,
// so the plan is made without going over every row again for each.
TEST(OrderedRenames, ALongChainInListOrderMovesWholeOrNotAtAll) {
    constexpr int length = 20000;
    const auto name = [](int i) { return "f" + std::to_string(i); };
    std::vector<std::string> names;
    for (int i = 0; i <= length; ++i)
        names.push_back(name(i));
    std::vector<PlannedRename> rows;
    MemoryDisk disk;
    std::map<std::string, std::string> movedOn;
    for (int i = 0; i < length; ++i) {
        rows.push_back(
            {names[static_cast<std::size_t>(i)], names[static_cast<std::size_t>(i) + 1]});
        disk.files[name(i)] = name(i);
        movedOn[name(i + 1)] = name(i);
    }
    MemoryDisk taken = disk;
    OrderedPlan plan = planFor(rows, disk);
    EXPECT_TRUE(plan.conflicts.empty());
    ASSERT_EQ(plan.chains.size(), 1u);
    EXPECT_EQ(plan.chains[0].size(), std::size_t{length});
    const std::vector<bool> renamed = runOrdered(plan, rows.size(), disk, [](auto&, auto&) {});
    EXPECT_EQ(renamed, std::vector<bool>(rows.size(), true));
    EXPECT_EQ(disk.files, movedOn);

    taken.files[name(length)] = "of no row";
    plan = planFor(rows, taken);
    std::vector<Conflict> told;
    for (int i = length; i-- > 0;)
        told.push_back({Kind::existingFile, i, i + 1 < length ? i + 1 : -1});
    EXPECT_EQ(plan.conflicts, told);
    EXPECT_TRUE(plan.chains.empty());
    EXPECT_TRUE(plan.cycles.empty());
}

// A new name that can be no file's name is left alone and fails its row, as a row without a new
// name does; one already refused is not told again. A row whose new name is its name does not
// fail, whether the pass in list order, a forecast or an ordered run counts.
TEST(UnusableNames, AreLeftAloneAndFailTheirRowsAsEveryPassCounts) {
    using Why = UnusableName::Why;
    FakeRows rows;
    rows.rows = {{"d/", "a", ""},      {"d/", "b", ""},      {"d/", "c", "."}, {"e/", "d", ".."},
                 {"d/", "e", "12345"}, {"e/", "f", "12345"}, {"d/", "g", "g"}, {"d/", "h", "1234"}};
    const std::vector<RowName::Kind> kinds = {
        RowName::Kind::refused, RowName::Kind::named, RowName::Kind::named, RowName::Kind::named,
        RowName::Kind::named,   RowName::Kind::named, RowName::Kind::named, RowName::Kind::named};
    const std::map<std::string, std::size_t> longest = {{"d/", 4}, {"e/", 5}};
    const std::vector<UnusableName> left = leaveUnusableNames(
        rows, kinds, [&](const std::string& folder) { return longest.at(folder); });
    ASSERT_EQ(left.size(), 5u);
    const std::vector<std::pair<int, Why>> told = {{0, Why::refused},
                                                   {1, Why::empty},
                                                   {2, Why::dotNames},
                                                   {3, Why::dotNames},
                                                   {4, Why::tooLong}};
    for (std::size_t i = 0; i < told.size(); ++i) {
        EXPECT_EQ(left[i].row, told[i].first);
        EXPECT_EQ(left[i].why, told[i].second);
    }
    EXPECT_EQ(left[3].newName, "..");
    EXPECT_EQ(left[4].longest, 4u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rows.rows[static_cast<std::size_t>(i)].newName, "") << i;
    EXPECT_EQ(rows.rows[5].newName, "12345");

    const std::vector<Conflict> conflicts = {{Kind::existingFile, 7, -1}};
    EXPECT_EQ(foreseenOutcome(conflicts, rows).failedRows(), 6);
    EXPECT_EQ(foreseenOutcome({}, rows).failedRows(), 5);
    std::vector<bool> renamed(rows.rows.size(), false);
    renamed[5] = true;
    EXPECT_EQ(orderedOutcome(renamed, rows).failedRows(), 6) << "h failed, g has not";
}

// A file is the one the journal recorded when the fields both know agree; on FAT, whose numbers
// for a file change at every mount, when the time it was made does.
TEST(Journal, KnowsAFileByWhatLastsOfIt) {
    EXPECT_TRUE(sameFile("1:2:300.5", "1:2:300.5"));
    EXPECT_FALSE(sameFile("1:2:300.5", "1:2:301.5")) << "an inode given to a new file";
    EXPECT_FALSE(sameFile("1:2:300.5", "1:3:300.5"));
    EXPECT_TRUE(sameFile("1:2", "1:2:300.5")) << "a journal of an older kibrel-cli";
    EXPECT_TRUE(sameFile("1:2:300.5:fat", "7:9:300.5:fat")) << "FAT mounted again";
    EXPECT_FALSE(sameFile("1:2:300.5:fat", "1:2:300.6:fat"));
    EXPECT_FALSE(sameFile("", "1:2"));
}

// What Windows cannot hold beyond its nine characters, and names close to it that it can.
TEST(UnusableNames, WindowsCannotHoldDeviceNamesEndingDotsOrSpacesAndControlCharacters) {
    for (const char* name : {"CON", "con.txt", "Nul", "aux .tar.gz", "COM1", "lpt9.log", "a.", "a ",
                             "a\x01b", "tab\tname"})
        EXPECT_TRUE(windowsCannotHold(name)) << name;
    for (const char* name :
         {"CONSOLE", "a.con", "COM0", "COM10", "LPT", ".hidden", "a.b", "\x95\x5C", "caf\xC3\xA9"})
        EXPECT_FALSE(windowsCannotHold(name)) << name;
}

// What a run writes before and after each rename reads back, a rename the run may not have
// finished included, and so does what an undo takes back. The journal keeps its pending name
// until a rename is made, and a pending journal of a run that made none goes. Anything else is
// told as what is wrong with it.
TEST(Journal, ReadsBackEveryRenameWithWhatIsKnownOfIt) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("kibrel-journal-" + std::to_string(std::random_device()()));
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const std::string path = (folder / Journal::fileName).string();
    {
        Journal journal((folder / "").string());
        EXPECT_FALSE(journal.before("d/a", "d/b")) << "a journal not begun takes nothing";
        ASSERT_TRUE(journal.begin());
        ASSERT_TRUE(journal.before("d/x", "d/y"));
        journal.after(false, "");
        EXPECT_FALSE(std::filesystem::exists(path)) << "pending until a rename is made";
        ASSERT_TRUE(journal.before("d/a\tb", "d/c\\d\r"));
        journal.claimed("1:3");
        journal.after(true, "1:2");
        ASSERT_TRUE(journal.before("d/p\nq", "d/r"));
    }
    EXPECT_FALSE(std::filesystem::exists(folder / Journal::pendingName));
    {
        Journal journal((folder / "").string());
        ASSERT_TRUE(journal.resume());
        ASSERT_TRUE(journal.beforeUndo(1));
        journal.after(true, "");
        ASSERT_TRUE(journal.beforeUndo(0));
    }
    const JournalRead read = readJournal(path);
    ASSERT_EQ(read.state, JournalRead::State::read);
    const auto& entries = read.entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].outcome, JournalEntry::Outcome::failed);
    EXPECT_EQ(entries[0].takenBack, JournalEntry::Outcome::unknown);
    EXPECT_EQ(entries[1].oldPath, "d/a\tb");
    EXPECT_EQ(entries[1].newPath, "d/c\\d\r");
    EXPECT_EQ(entries[1].outcome, JournalEntry::Outcome::made);
    EXPECT_EQ(entries[1].identity, "1:2");
    EXPECT_EQ(entries[1].claim, "1:3");
    EXPECT_EQ(entries[1].takenBack, JournalEntry::Outcome::made);
    EXPECT_EQ(entries[2].oldPath, "d/p\nq");
    EXPECT_EQ(entries[2].outcome, JournalEntry::Outcome::unknown);
    EXPECT_EQ(entries[2].takenBack, JournalEntry::Outcome::failed);

    const struct {
        const char* contents;
        JournalRead::State state;
        std::size_t line;
    } damaged[] = {
        {"", JournalRead::State::empty, 0},
        {"not a journal\n", JournalRead::State::notAJournal, 0},
        {"kibrel-cli journal 2\nrename\ta\tb\nundo\t7\n", JournalRead::State::badLine, 3},
        {"kibrel-cli journal 2\ndone\t1:2\n", JournalRead::State::badLine, 2},
    };
    for (const auto& d : damaged) {
        std::FILE* other = std::fopen(path.c_str(), "wb");
        ASSERT_NE(other, nullptr);
        std::fputs(d.contents, other);
        std::fclose(other);
        const JournalRead bad = readJournal(path);
        EXPECT_EQ(bad.state, d.state) << d.contents;
        EXPECT_EQ(bad.line, d.line) << d.contents;
    }
    std::filesystem::remove(path);
    EXPECT_EQ(readJournal(path).state, JournalRead::State::absent);
    std::filesystem::create_directory(path);
    EXPECT_EQ(readJournal(path).state, JournalRead::State::folder);
    std::filesystem::remove_all(folder);
}

} // namespace

namespace {

struct UnrenamableCase {
    const char* comment;
    std::vector<PlannedRename> rows;
    // What every path on the way names: its file's inode on device 1; a path not listed names
    // nothing.
    std::map<std::string, std::uint64_t> files;
    std::vector<Unrenamable> found;
};

using Why = Unrenamable::Kind;

const UnrenamableCase unrenamableCases[] = {
    {"a missing path", {{"a", "b"}, {"c", "d"}}, {{"c", 2}}, {{Why::missing, 0, -1}}},
    {"one file under two spellings",
     {{"d/x", "d/y"}, {"d/../d/x", "d/z"}},
     {{"d", 1}, {"d/x", 2}, {"d/../d/x", 2}, {"d/..", 3}},
     {{Why::sameFile, 1, 0}}},
    {"a row left alone moves no file",
     {{"d/x", "d/x"}, {"e/x", "e/y"}},
     {{"d", 1}, {"e", 1}, {"d/x", 2}, {"e/x", 2}},
     {}},
    {"a folder renamed before a path inside it",
     {{"d", "e"}, {"d/x", "d/y"}, {"f/x", "f/y"}},
     {{"d", 1}, {"d/x", 2}, {"f", 3}, {"f/x", 4}},
     {{Why::folderFirst, 1, 0}}},
    {"the folder under another spelling",
     {{"d", "e"}, {"l/x", "l/y"}},
     {{"d", 1}, {"l", 1}, {"l/x", 2}},
     {{Why::folderFirst, 1, 0}}},
    {"a folder renamed after what it holds",
     {{"d/x", "d/y"}, {"d", "e"}},
     {{"d", 1}, {"d/x", 2}},
     {}},
    {"paths that no rename can move",
     {{".", "x"}, {"d/..", "y"}, {"/", "z"}, {"//", "w"}},
     {{".", 1}, {"d", 2}, {"d/..", 1}, {"/", 3}, {"//", 3}},
     {{Why::notAName, 0, -1},
      {Why::notAName, 1, -1},
      {Why::notAName, 2, -1},
      {Why::notAName, 3, -1}}},
    {"a row told is no earlier row",
     {{"a", "b"}, {"a", "c"}, {"b2", "c2"}},
     {{"a", 1}, {"b2", 1}},
     {{Why::sameFile, 1, 0}, {Why::sameFile, 2, 0}}},
};

class Unrenamables : public ::testing::TestWithParam<UnrenamableCase> {};

// The identities of many paths, each as identity tells it.
template <typename Identity> IdentitiesOf eachBy(Identity identity) {
    return [identity](const std::vector<std::string_view>& paths) {
        std::vector<std::optional<FileId>> files;
        for (const std::string_view path : paths)
            files.push_back(identity(path));
        return files;
    };
}

TEST_P(Unrenamables, AreTheRowsThatNoOrderCanRename) {
    const UnrenamableCase& c = GetParam();
    auto identity = [&](std::string_view path) -> std::optional<FileId> {
        const auto file = c.files.find(std::string(path));
        return file == c.files.end() ? std::nullopt
                                     : std::optional<FileId>(FileId{1, file->second});
    };
    EXPECT_EQ(foreseeUnrenamable(c.rows, eachBy(identity), "/"), c.found) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(Cases, Unrenamables, ::testing::ValuesIn(unrenamableCases));

// Many files in the table of moving files, on two devices, whose inodes collide in its slots:
// each file found again under its second spelling, and no other.
TEST(Unrenamables, ManyFilesAreFoundByDeviceAndInode) {
    constexpr int files = 5000;
    std::vector<std::string> paths;
    for (int i = 0; i < 2 * files; ++i)
        paths.push_back((i < files ? "a/" : "b/") + std::to_string(i % files));
    std::vector<PlannedRename> rows;
    for (const std::string& path : paths)
        rows.push_back({path, "n"});
    // Files of a/ on device 1, of b/ on device 2, except every tenth, a/'s file again.
    auto identity = [](std::string_view path) -> std::optional<FileId> {
        if (path.size() < 3)
            return FileId{3, path[0] == 'a' ? 1u : 2u};
        const std::uint64_t n = std::stoull(std::string(path.substr(2)));
        const bool same = path[0] == 'a' || n % 10 == 0;
        return FileId{same ? 1u : 2u, n * 4096};
    };
    std::vector<Unrenamable> expected;
    for (int i = 0; i < files; i += 10)
        expected.push_back({Why::sameFile, files + i, i});
    EXPECT_EQ(foreseeUnrenamable(rows, eachBy(identity), "/"), expected);
}

} // namespace
