#include "help_topics.h"

#include <gtest/gtest.h>

namespace {

struct ControlCase {
    int id;
    bool armed;
    ControlHelp::Kind kind;
    unsigned contextValue;
};

const ControlCase controlCases[] = {
    {-1, false, ControlHelp::Kind::nothing, 0}, // the labels
    {-1, true, ControlHelp::Kind::nothing, 0},
    {1001, false, ControlHelp::Kind::control, 11001},
    {1002, false, ControlHelp::Kind::control, 11002},
    {1002, true, ControlHelp::Kind::control, 11002}, // the pop-up turns it into 11008
    {1003, false, ControlHelp::Kind::control, 11003},
    {1003, true, ControlHelp::Kind::control, 11002}, // armed: asks as the Replace box does
    {1004, true, ControlHelp::Kind::control, 11004},
    {1007, false, ControlHelp::Kind::control, 11007},
    {1099, false, ControlHelp::Kind::control, 11099}, // the last id of the range
    {1000, false, ControlHelp::Kind::general, 0},
    {1100, false, ControlHelp::Kind::general, 0},
    {0, false, ControlHelp::Kind::general, 0},
    {1, false, ControlHelp::Kind::general, 0},     // a message box's OK button
    {57666, false, ControlHelp::Kind::general, 0}, // the menu item
    {-2, false, ControlHelp::Kind::general, 0},    // compared as unsigned: far above the range
};

TEST(HelpTopics, ControlsGiveTheirContextLabelsNothingOthersTheGeneralHelp) {
    for (const ControlCase& c : controlCases) {
        ControlHelp help = controlHelpFor(c.id, c.armed);
        EXPECT_EQ(help.kind, c.kind) << c.id << (c.armed ? " armed" : "");
        EXPECT_EQ(help.contextValue, c.contextValue) << c.id << (c.armed ? " armed" : "");
    }
}

struct PopupCase {
    unsigned contextValue;
    bool armed;
    unsigned number;
};

const PopupCase popupCases[] = {
    {11001, false, 11001}, {11001, true, 11001},   {11002, false, 11002},
    {11002, true, 11008},  {11008, false, 11008},  {0x20066, false, 102},
    {0x3041A, true, 1050}, {0x22AFA, true, 11008}, // only the low 16 bits are the number
};

TEST(HelpTopics, PopupShowsTheLow16BitsWithTheReplaceBoxArmedAsTheButton) {
    for (const PopupCase& c : popupCases) {
        EXPECT_EQ(popupHelpNumber(c.contextValue, c.armed), c.number)
            << std::hex << c.contextValue << (c.armed ? " armed" : "");
    }
}

TEST(HelpTopics, EachHelpCommandHasItsEngineCommand) {
    EXPECT_EQ(engineCommandFor(helpContextCommand), engineDisplayTextPopup);
    EXPECT_EQ(engineCommandFor(helpIndexCommand), engineDisplayToc);
    EXPECT_EQ(engineCommandFor(helpOnHelpCommand), engineDisplaySearch);
    EXPECT_EQ(engineCommandFor(helpFinderCommand), engineDisplayIndex);
    for (unsigned other : {0u, 2u, 5u, 10u, 12u, 0x101u})
        EXPECT_EQ(engineCommandFor(other), std::nullopt) << other;
}

TEST(HelpTopics, MissingFileMessageNamesThePath) {
    EXPECT_EQ(missingHelpFileMessage("C:\\Tools\\kibrel.chm"),
              "Not Exist Html Help File\n\n   File Path [ C:\\Tools\\kibrel.chm ]");
    EXPECT_EQ(missingHelpFileMessage(""), "Not Exist Html Help File\n\n   File Path [  ]");
}

struct ContextIdCase {
    unsigned contextValue;
    const char* lastLine;
};

const ContextIdCase contextIdCases[] = {
    {11001, "  ContextID [0x0 + 0x2af9(11001)]"},
    {11002, "  ContextID [0x0 + 0x2afa(11002)]"}, // the armed button, as asked for
    {0x20066, "  ContextID [0x20000 + 0x0066(102)]"},
    {0x3041A, "  ContextID [0x30000 + 0x041a(1050)]"},
    {0xFFFFFFFF, "  ContextID [0xffff0000 + 0xffff(65535)]"},
    {0, "  ContextID [0x0 + 0x0000(0)]"},
};

TEST(HelpTopics, ContextIdMessageShowsTheValueAsAskedFor) {
    for (const ContextIdCase& c : contextIdCases) {
        std::string expected =
            std::string("Error Context ID\n\n   File Path [ D:\\k.chm ]\n") + c.lastLine;
        EXPECT_EQ(contextIdMessage("D:\\k.chm", c.contextValue), expected);
    }
}

} // namespace
