#include "platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::optional<FileId> statIdentity(const std::string& path) {
    struct stat s {};
    if (lstat(path.c_str(), &s) != 0)
        return std::nullopt;
    return FileId{static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino)};
}

// What a folder's listing tells of its paths is what stat tells of each: a file, a second link
// to it, a link to it, a folder, a folder reached through a link, and paths that name nothing.
// They are asked in one batch, many times over and in two folders by turns, so that the lookups
// under way ahead of the answers reach far beyond the first paths, and across the lots in which
// a long batch is taken.
TEST(PathsOnDisk, TellsEveryPathsFileAsStatDoes) {
    char made[] = "/tmp/kibrel-paths-XXXXXX";
    ASSERT_NE(mkdtemp(made), nullptr);
    const std::string folder = made;
    std::ofstream(folder + "/f") << "x";
    std::ofstream(folder + "/g") << "y";
    ASSERT_EQ(link((folder + "/f").c_str(), (folder + "/h").c_str()), 0);
    ASSERT_EQ(symlink("f", (folder + "/l").c_str()), 0);
    ASSERT_EQ(mkdir((folder + "/d").c_str(), 0700), 0);
    std::ofstream(folder + "/d/x") << "z";
    ASSERT_EQ(symlink("d", (folder + "/ld").c_str()), 0);

    const std::string names[] = {"/f",    "/g",      "/h",  "/l", "/d",  "/ld",      "/d/x",
                                 "/ld/x", "/d/../f", "/d/", "/.", "/..", "/missing", "/d/missing"};
    std::vector<std::string> paths;
    for (int round = 0; round < 200; ++round)
        for (const std::string& name : names)
            paths.push_back(folder + name);
    PathsOnDisk onDisk;
    const std::vector<std::optional<FileId>> files =
        onDisk.identities(std::vector<std::string_view>(paths.begin(), paths.end()));
    ASSERT_EQ(files.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        EXPECT_EQ(files[i], statIdentity(path)) << path;
        // exists() is asked of new paths, which end in a name.
        if (path.back() != '/') {
            EXPECT_EQ(onDisk.exists(path), statIdentity(path).has_value()) << path;
        }
    }
    // The file and its second link, the file in the folder and through the link to it.
    EXPECT_EQ(files[0], files[2]);
    EXPECT_EQ(files[6], files[7]);
    EXPECT_NE(files[0], files[3]);
    EXPECT_NE(files[0], files[1]);
    std::filesystem::remove_all(folder);
}

} // namespace
