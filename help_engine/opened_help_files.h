#pragma once

#include "help_file.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace help_engine {

// What tells a file on disk from the file rewritten at the same path: its size and the time
// it was last written.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

// The help files the engine has opened, one for each path, which the pop-ups and the help
// window share: asked again for a path whose stamp is the same, it gives the file opened
// before, with its compressed section decoded and its sitemaps read; asked with another stamp
// (the file was rebuilt), it opens the file anew. At most `capacity` files stay open; the one
// used longest ago goes first. Tested by tests/unit/help_engine/help_file_test.cpp.
class OpenedHelpFiles {
  public:
    static constexpr std::size_t capacity = 4;

    // The help file at `path`, whose stamp on disk is `stamp`; `read` gives its bytes when it
    // has to be opened. Null when `read` gives nothing or the bytes are no help file.
    std::shared_ptr<HelpFile> open(const std::string& path, FileStamp stamp,
                                   const std::function<std::optional<std::string>()>& read);

  private:
    struct Opened {
        std::string path;
        FileStamp stamp;
        std::shared_ptr<HelpFile> file;
    };
    // The one used last first.
    std::vector<Opened> opened_;
};

} // namespace help_engine
