#include "opened_help_files.h"

#include <algorithm>

namespace help_engine {

std::shared_ptr<HelpFile>
OpenedHelpFiles::open(const std::string& path, FileStamp stamp,
                      const std::function<std::optional<std::string>()>& read) {
    const auto found = std::find_if(opened_.begin(), opened_.end(),
                                    [&](const Opened& opened) { return opened.path == path; });
    if (found != opened_.end() && found->stamp == stamp) {
        std::rotate(opened_.begin(), found, found + 1);
        return opened_.front().file;
    }
    if (found != opened_.end())
        opened_.erase(found);
    std::optional<std::string> bytes = read();
    if (!bytes)
        return nullptr;
    std::optional<HelpFile> file = HelpFile::open(std::move(*bytes));
    if (!file)
        return nullptr;
    if (opened_.size() == capacity)
        opened_.pop_back();
    opened_.insert(opened_.begin(),
                   Opened{path, stamp, std::make_shared<HelpFile>(std::move(*file))});
    return opened_.front().file;
}

} // namespace help_engine
