#include "popup_texts.h"

#include <charconv>
#include <vector>

namespace help_engine {

namespace {

constexpr std::string_view topicCommand = ".topic";
constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

// The number of a ".topic" line; nothing for any other line, and for a topic that names no
// number of its own (a symbol that only a map file would give one).
struct TopicLine {
    bool isTopic = false;
    std::optional<unsigned> number;
};

TopicLine topicLine(std::string_view line) {
    if (!line.starts_with(topicCommand) ||
        (line.size() > topicCommand.size() && !isBlank(line[topicCommand.size()])))
        return {};
    const std::string_view id = trimmed(line.substr(topicCommand.size()));
    unsigned number = 0;
    const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), number);
    if (error != std::errc{} || end != id.data() + id.size())
        return {true, std::nullopt};
    return {true, number};
}

} // namespace

std::optional<std::string> popupTopicText(std::string_view file, unsigned number) {
    if (file.starts_with(utf8Mark))
        file.remove_prefix(utf8Mark.size());
    bool inTopic = false;
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= file.size();) {
        std::size_t end = file.find('\n', start);
        if (end == std::string_view::npos)
            end = file.size();
        const std::string_view line = file.substr(start, end - start);
        start = end + 1;
        const TopicLine topic = topicLine(line);
        if (topic.isTopic) {
            if (inTopic)
                break;
            inTopic = topic.number == number;
        } else if (inTopic) {
            std::string_view kept = line;
            while (!kept.empty() && isBlank(kept.back()))
                kept.remove_suffix(1);
            lines.push_back(kept);
        }
    }
    while (!lines.empty() && trimmed(lines.back()).empty())
        lines.pop_back();
    std::size_t first = 0;
    while (first < lines.size() && trimmed(lines[first]).empty())
        ++first;
    if (first == lines.size())
        return std::nullopt;
    std::string text;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (i > first)
            text += '\n';
        text += lines[i];
    }
    return text;
}

} // namespace help_engine
