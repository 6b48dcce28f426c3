#include "engine_fixture.h"
#include "fake_pass.h"

#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::string>;

class HistoryTest : public EngineTest {
  protected:
    FakeRows rows;
    FakeRenamer renamer;
    FakeWindow window;
    RenamePass pass{engine, rows, renamer, window, messages};
};

// Each step is one successful test, from an empty Search list.
TEST_F(HistoryTest, PickedEntriesMoveToTheTopAndTypedOnesAreDoubled) {
    struct Step {
        const char* text;
        int picked; // the index picked from the list, or -1 when typed
        Entries after;
    };
    const Step steps[] = {
        {"P", -1, {"P"}},
        {"Q", -1, {"Q", "P"}},
        {"R", -1, {"R", "Q", "P"}},
        {"P", 2, {"P", "R", "Q"}},
        {"P", -1, {"P", "P", "R", "Q"}},
        {"Q", -1, {"Q", "P", "P", "R", "Q"}},
    };
    int number = 1;
    for (const Step& step : steps) {
        window.searchList.selected = step.picked;
        pass.updateHistory(step.text, "");
        EXPECT_EQ(window.searchList.entries, step.after) << "step " << number;
        ++number;
    }
    EXPECT_TRUE(window.replaceList.entries.empty()) << "an empty Replace text is not kept";
}

TEST_F(HistoryTest, APickedReplacementStandsTwice) {
    window.replaceList.entries = {"S", "T"};
    window.replaceList.selected = 1;
    pass.updateHistory("x", "T");
    EXPECT_EQ(window.replaceList.entries, (Entries{"T", "S", "T"}));
}

TEST_F(HistoryTest, AFullListStaysAtEight) {
    const Entries full{"7", "6", "5", "4", "3", "2", "1", "0"};
    window.searchList.entries = full;
    window.replaceList.entries = full;
    pass.updateHistory("new", "new");
    EXPECT_EQ(window.searchList.entries, (Entries{"new", "7", "6", "5", "4", "3", "2", "1"}));
    EXPECT_EQ(window.replaceList.entries, window.searchList.entries);

    // A picked entry leaves its place first, so nothing else is lost.
    window.searchList.selected = 3;
    pass.updateHistory("5", "");
    EXPECT_EQ(window.searchList.entries, (Entries{"5", "new", "7", "6", "4", "3", "2", "1"}));
}

} // namespace
