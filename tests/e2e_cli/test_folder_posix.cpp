#include "test_folder.h"

#include <cstdio>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <sys/stat.h>

TestFolder::TestFolder() {
    char pattern[] = "/tmp/kibrel-cli-test-XXXXXX";
    if (mkdtemp(pattern) != nullptr)
        path_ = std::string(pattern) + "/";
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

bool TestFolder::writeFile(std::string_view name, std::string_view contents) const {
    std::ofstream file(pathOf(name), std::ios::binary);
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return file.good();
}

bool TestFolder::makeFolder(std::string_view name) const {
    return mkdir(pathOf(name).c_str(), 0700) == 0;
}

bool TestFolder::copyFileIn(const std::string& source, std::string_view name) const {
    std::error_code error;
    std::filesystem::copy_file(source, pathOf(name), error);
    return !error;
}

bool TestFolder::remove(std::string_view name) const {
    return std::remove(pathOf(name).c_str()) == 0;
}

bool TestFolder::rename(std::string_view from, std::string_view to) const {
    return std::rename(pathOf(from).c_str(), pathOf(to).c_str()) == 0;
}

std::string TestFolder::contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

FolderEntries TestFolder::entriesOf(const std::string& folder) {
    FolderEntries found;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return found;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + name;
        struct stat s {};
        lstat(path.c_str(), &s);
        if (S_ISDIR(s.st_mode)) {
            std::string listing = "<folder>";
            for (const auto& [inner, contents] : entriesOf(path + "/"))
                listing += inner + "=" + contents + ";";
            found[name] = listing;
        } else {
            std::ostringstream contents;
            contents << std::ifstream(path, std::ios::binary).rdbuf();
            found[name] = contents.str();
        }
    }
    closedir(dir);
    return found;
}
