#include "rename_engine.h"

bool RenameEngine::preparePatternForPass() {
    if (preparePattern() == 0) {
        messages_.showMessage(messages_.text(SystemText::BadPattern), MessageType::ok);
        return false;
    }
    int structure = checkPatternStructure();
    if (structure == 0) {
        messages_.showHelpMessage(messages_.text(SystemText::RegionInGroup),
                                  MessageType::ok | MessageType::iconInformation |
                                      MessageType::help,
                                  regionInGroupHelpId);
        return false;
    }
    if (structure == -1) {
        messages_.showMessage(messages_.text(SystemText::BadPattern), MessageType::ok);
        return false;
    }
    return true;
}
