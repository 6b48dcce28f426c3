#pragma once

#include <map>
#include <string>
#include <string_view>

// The files and folders of a folder by name: a file by its contents, a folder as "<folder>"
// followed by its own entries, "<folder>a=A;b=B;".
using FolderEntries = std::map<std::string, std::string>;

// A folder of its own under the temporary folder, removed with everything in it at the end.
// Names are bytes of the ANSI code page on Windows and raw bytes natively.
class TestFolder {
  public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder with its trailing separator.
    const std::string& path() const { return path_; }
    std::string pathOf(std::string_view name) const { return path_ + std::string(name); }

    bool writeFile(std::string_view name, std::string_view contents) const;
    bool makeFolder(std::string_view name) const;
    bool copyFileIn(const std::string& source, std::string_view name) const;
    bool remove(std::string_view name) const;
    bool rename(std::string_view from, std::string_view to) const;
    // The contents of a file anywhere, empty when it cannot be read.
    static std::string contents(const std::string& path);
    FolderEntries entries() const { return entriesOf(path_); }
#ifdef _WIN32
    // A file, and the files of the folder, by names in UTF-8, through the wide calls: for names
    // that the ANSI code page cannot hold.
    bool writeUtf8File(std::string_view name, std::string_view contents) const;
    FolderEntries utf8Entries() const;
#endif

  private:
    static FolderEntries entriesOf(const std::string& folder);

    std::string path_;
};
