#include "chosen_files.h"

#include "text_walk.h"

namespace {

bool endsWithBackslash(std::string_view folder, const CodePage& cp) {
    return !folder.empty() && findLastChar(folder, '\\', cp) == folder.size() - 1;
}

// The texts up to each zero byte, until an empty one or the end of the buffer.
std::vector<std::string_view> zeroEndedTexts(std::string_view answer) {
    std::vector<std::string_view> texts;
    std::size_t at = 0;
    while (at < answer.size()) {
        std::size_t end = answer.find('\0', at);
        if (end == std::string_view::npos || end == at)
            break;
        texts.push_back(answer.substr(at, end - at));
        at = end + 1;
    }
    return texts;
}

} // namespace

std::vector<std::string> chosenFiles(std::string_view answer, const CodePage& cp) {
    std::vector<std::string_view> texts = zeroEndedTexts(answer);
    if (texts.size() <= 1)
        return {texts.begin(), texts.end()};
    std::string folder(texts.front());
    if (!endsWithBackslash(folder, cp))
        folder += '\\';
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < texts.size(); ++i)
        paths.push_back(folder + std::string(texts[i]));
    return paths;
}
