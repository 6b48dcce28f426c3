#include "platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<FileId> statIdentity(const std::string& path) {
    struct stat s {};
    if (lstat(path.c_str(), &s) != 0)
        return std::nullopt;
    return FileId{static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino)};
}

// What a folder's listing tells of its paths is what stat tells of each: a file, a second link
// to it, a link to it, a folder, a folder reached through a link, and paths that name nothing.
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

    const std::string paths[] = {"/f",    "/g",      "/h",  "/l", "/d",  "/ld",      "/d/x",
                                 "/ld/x", "/d/../f", "/d/", "/.", "/..", "/missing", "/d/missing"};
    PathsOnDisk onDisk;
    for (const std::string& name : paths) {
        const std::string path = folder + name;
        EXPECT_EQ(onDisk.identity(path), statIdentity(path)) << path;
        // exists() is asked of new paths, which end in a name.
        if (path.back() != '/') {
            EXPECT_EQ(onDisk.exists(path), statIdentity(path).has_value()) << path;
        }
    }
    EXPECT_EQ(onDisk.identity(folder + "/f"), onDisk.identity(folder + "/h"));
    EXPECT_EQ(onDisk.identity(folder + "/d/x"), onDisk.identity(folder + "/ld/x"));
    EXPECT_NE(onDisk.identity(folder + "/f"), onDisk.identity(folder + "/l"));
    EXPECT_NE(onDisk.identity(folder + "/f"), onDisk.identity(folder + "/g"));
    std::filesystem::remove_all(folder);
}

} // namespace
