#include "help_topics.h"

#include "resource.h"

#include <cstdio>

namespace {

// The window's controls that have pop-ups: the range of its control ids.
constexpr unsigned firstControlId = IDC_SEARCH;
constexpr unsigned lastControlId = 1099;
constexpr unsigned replaceBoxId = IDC_REPLACE;
constexpr unsigned actionButtonId = IDC_ACTION;
constexpr unsigned controlHelpOffset = 10000;

constexpr unsigned replaceBoxNumber = controlHelpOffset + replaceBoxId;
constexpr unsigned armedButtonNumber = 11008;

constexpr unsigned helpNumberBits = 0xFFFF;

} // namespace

ControlHelp controlHelpFor(int controlId, bool renameArmed) {
    if (controlId == IDC_STATIC)
        return {ControlHelp::Kind::nothing, 0};
    unsigned id = static_cast<unsigned>(controlId);
    if (id < firstControlId || id > lastControlId)
        return {ControlHelp::Kind::general, 0};
    if (renameArmed && id == actionButtonId)
        id = replaceBoxId;
    return {ControlHelp::Kind::control, controlTopicBase + controlHelpOffset + id};
}

unsigned popupHelpNumber(unsigned contextValue, bool renameArmed) {
    unsigned number = contextValue & helpNumberBits;
    if (renameArmed && number == replaceBoxNumber)
        return armedButtonNumber;
    return number;
}

std::optional<unsigned> engineCommandFor(unsigned helpCommand) {
    switch (helpCommand) {
    case helpContextCommand:
        return engineDisplayTextPopup;
    case helpIndexCommand:
        return engineDisplayToc;
    case helpOnHelpCommand:
        return engineDisplaySearch;
    case helpFinderCommand:
        return engineDisplayIndex;
    }
    return std::nullopt;
}

std::string missingHelpFileMessage(std::string_view helpFilePath) {
    std::string text = "Not Exist Html Help File\n\n   File Path [ ";
    text += helpFilePath;
    text += " ]";
    return text;
}

std::string contextIdMessage(std::string_view helpFilePath, unsigned contextValue) {
    unsigned number = contextValue & helpNumberBits;
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "0x%x + 0x%04x(%u)", contextValue & ~helpNumberBits,
                  number, number);
    std::string text = "Error Context ID\n\n   File Path [ ";
    text += helpFilePath;
    text += " ]\n  ContextID [";
    text += numbers;
    text += "]";
    return text;
}
