#pragma once

#include <map>
#include <string>
#include <string_view>

namespace e2e {

// A folder of its own under the user's temporary folder, made unique by the process id, a
// counter and the clock, and removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // True when the folder was created.
    bool valid() const { return valid_; }
    // The folder with its trailing backslash.
    const std::string& path() const { return path_; }
    std::string pathOf(std::string_view name) const { return path_ + std::string(name); }

    // Creates (or empties) the file `name` in the folder with `contents`; true on success.
    bool writeFile(std::string_view name, std::string_view contents = {}) const;
    bool makeFolder(std::string_view name) const;
    bool copyFileIn(const std::string& source, std::string_view name) const;

    // Every file and folder in the folder, name by contents ("<folder>" for a folder), as the
    // program sees them: names in code page 932.
    std::map<std::string, std::string> contents() const;

    // The same two with names in UTF-8, read and written through the wide calls: for names that
    // code page 932 cannot hold.
    bool writeUtf8File(std::string_view name, std::string_view contents) const;
    std::map<std::string, std::string> utf8Contents() const;

  private:
    std::string path_;
    bool valid_ = false;
};

// Removes a folder and everything in it; true when nothing of it is left.
bool removeFolderTree(const std::string& folder);

} // namespace e2e
