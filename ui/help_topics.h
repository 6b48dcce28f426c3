#pragma once

#include <optional>
#include <string>
#include <string_view>

// What a help request asks for, worked out without the platform: which help context a control
// gives, which help number a pop-up shows, which engine command serves a help command, and the
// two messages of a failed request.
//
// A help context carries a base in its high 16 bits and the help number in its low 16 bits;
// only the number reaches the engine.

// The help commands of the Windows help interface that the window's requests use.
constexpr unsigned helpContextCommand = 1; // a pop-up for one help context
constexpr unsigned helpIndexCommand = 3;   // the table of contents
constexpr unsigned helpOnHelpCommand = 4;  // the search
constexpr unsigned helpFinderCommand = 11; // the index

// The command that asks the application for help on whatever is on screen.
constexpr unsigned generalHelpCommandId = 0xE146;

constexpr unsigned controlTopicBase = 0;
constexpr unsigned windowTopicBase = 0x20000;
constexpr unsigned messageTopicBase = 0x30000;

// The HTML Help engine's commands.
constexpr unsigned engineDisplayToc = 1;
constexpr unsigned engineDisplayIndex = 2;
constexpr unsigned engineDisplaySearch = 3;
constexpr unsigned engineDisplayTextPopup = 14;

// What a help request for the control `controlId` leads to: nothing for the labels (-1), the
// control's own help context for the window's controls (1001 to 1099; the action button
// while armed asks as the Replace box does), and the general help for any other id.
struct ControlHelp {
    enum class Kind { nothing, control, general };
    Kind kind;
    unsigned contextValue; // for Kind::control
};
ControlHelp controlHelpFor(int controlId, bool renameArmed);

// The help number that the pop-up for `contextValue` shows: its low 16 bits, with the Replace
// box's 11002 turned into the armed button's 11008 while the action button reads "Rename!".
unsigned popupHelpNumber(unsigned contextValue, bool renameArmed);

// The engine command that serves a help command, or none for a command the window does not
// know.
std::optional<unsigned> engineCommandFor(unsigned helpCommand);

// The message for a help file that is not there.
std::string missingHelpFileMessage(std::string_view helpFilePath);
// The message for a pop-up that the engine did not show, with the numbers of `contextValue`
// as it was asked for: its base, and its help number in hexadecimal and decimal.
std::string contextIdMessage(std::string_view helpFilePath, unsigned contextValue);
