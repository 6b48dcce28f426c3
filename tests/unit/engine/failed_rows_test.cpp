#include "failed_rows.h"
#include "fake_pass.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

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

    const std::vector<PlannedRename> planned = plannedRenames(rows);
    EXPECT_EQ(planned[5].newPath, "e/12345");
    EXPECT_EQ(planned[0].newPath, "");
    const std::vector<Conflict> conflicts = {{Conflict::Kind::existingFile, 7, -1}};
    EXPECT_EQ(foreseenOutcome(conflicts, rows).failedRows(), 6);
    EXPECT_EQ(foreseenOutcome({}, rows).failedRows(), 5);
    std::vector<bool> renamed(rows.rows.size(), false);
    renamed[5] = true;
    EXPECT_EQ(orderedOutcome(renamed, rows).failedRows(), 6) << "h failed, g has not";
}

} // namespace
