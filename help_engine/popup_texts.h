#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace help_engine {

// The text of topic `number` in a text pop-up file: the lines after its ".topic <number>" line
// up to the next ".topic" line, without the blank lines around them, joined by line feeds.
// Nothing when the file has no such topic or its text is empty. The text keeps the file's
// code page. Tested by tests/unit/help_engine/popup_texts_test.cpp.
std::optional<std::string> popupTopicText(std::string_view file, unsigned number);

} // namespace help_engine
