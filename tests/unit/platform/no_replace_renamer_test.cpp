#include "no_replace_renamer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int renameUnsupported(const char*, const char*) {
    errno = EINVAL;
    return -1;
}

int linkRefused(const char*, const char*) {
    errno = EPERM;
    return -1;
}

// Another program at work between two calls of the renamer: an editor that saves a new file
// under the old name right after the second name is made, and a program that writes into the
// new name right after it is claimed.
int linkThenEditorSaves(const char* oldPath, const char* newPath) {
    const int linked = systemRenameCalls().link(oldPath, newPath);
    const std::string saved = std::string(oldPath) + ".saved";
    std::ofstream(saved, std::ios::binary) << "E";
    std::rename(saved.c_str(), oldPath);
    return linked;
}

int claimThenAnotherWrites(const char* path) {
    const int claim = systemRenameCalls().claimFile(path);
    std::ofstream(path, std::ios::binary) << "W";
    return claim;
}

struct Backend {
    const char* name;
    RenameCalls calls;
};

// The system's calls, a file system without RENAME_NOREPLACE, and one without links either.
const Backend backends[] = {
    {"renameat2", systemRenameCalls()},
    {"link", {renameUnsupported, systemRenameCalls().link, systemRenameCalls().claimFile}},
    {"claim", {renameUnsupported, linkRefused, systemRenameCalls().claimFile}},
};

// A temporary folder of real files, removed with everything in it.
class RenamerFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/kibrel-renamer-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = std::string(pattern) + "/";
    }
    void TearDown() override {
        std::string command = "rm -rf '" + folder_ + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    std::string path(const std::string& name) const { return folder_ + name; }
    void write(const std::string& name, const std::string& contents) const {
        std::ofstream(path(name), std::ios::binary) << contents;
    }
    void makeFolder(const std::string& name) const {
        ASSERT_EQ(mkdir(path(name).c_str(), 0700), 0);
    }
    RenameResult renameWith(RenameCalls calls, const std::string& from, const std::string& to) {
        NoReplaceRenamer renamer(calls);
        return renamer.rename(path(from), path(to));
    }

    // Every entry of the folder: a file by its contents, a folder as "<folder>".
    std::map<std::string, std::string> entries() const {
        std::map<std::string, std::string> found;
        DIR* dir = opendir(folder_.c_str());
        while (dirent* e = readdir(dir)) {
            std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            struct stat s {};
            lstat(path(name).c_str(), &s);
            if (S_ISDIR(s.st_mode)) {
                found[name] = "<folder>";
            } else {
                std::ostringstream contents;
                contents << std::ifstream(path(name), std::ios::binary).rdbuf();
                found[name] = contents.str();
            }
        }
        closedir(dir);
        return found;
    }

    std::string folder_;
};

class RenamerTest : public RenamerFolder, public ::testing::WithParamInterface<Backend> {
  protected:
    bool rename(const std::string& from, const std::string& to) {
        return renameWith(GetParam().calls, from, to).renamed;
    }
};

using Entries = std::map<std::string, std::string>;

TEST_P(RenamerTest, RenamesAFileToAFreeName) {
    write("a.txt", "A");
    EXPECT_TRUE(rename("a.txt", "b.txt"));
    EXPECT_EQ(entries(), (Entries{{"b.txt", "A"}}));
}

TEST_P(RenamerTest, NeverReplacesAnExistingFile) {
    write("a.txt", "A");
    write("b.txt", "B");
    EXPECT_FALSE(rename("a.txt", "b.txt"));
    EXPECT_EQ(entries(), (Entries{{"a.txt", "A"}, {"b.txt", "B"}}));
}

TEST_P(RenamerTest, NeverReplacesAnExistingFolder) {
    write("a.txt", "A");
    makeFolder("b");
    makeFolder("c");
    EXPECT_FALSE(rename("a.txt", "b"));
    EXPECT_FALSE(rename("c", "b"));
    EXPECT_EQ(entries(), (Entries{{"a.txt", "A"}, {"b", "<folder>"}, {"c", "<folder>"}}));
}

TEST_P(RenamerTest, RenamesAFolderLikeAFile) {
    makeFolder("old");
    write("old/inside.txt", "I");
    EXPECT_TRUE(rename("old", "new"));
    EXPECT_EQ(entries(), (Entries{{"new", "<folder>"}}));
    std::ifstream inside(path("new/inside.txt"));
    EXPECT_TRUE(inside.good());
}

TEST_P(RenamerTest, OntoItsOwnNameSucceedsWithoutTouchingTheFile) {
    write("a.txt", "A");
    struct stat before {};
    ASSERT_EQ(stat(path("a.txt").c_str(), &before), 0);
    EXPECT_TRUE(rename("a.txt", "a.txt"));
    struct stat after {};
    ASSERT_EQ(stat(path("a.txt").c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_ctim.tv_nsec, after.st_ctim.tv_nsec);
    EXPECT_EQ(entries(), (Entries{{"a.txt", "A"}}));
}

TEST_P(RenamerTest, AMissingFileFailsEvenOntoItsOwnName) {
    EXPECT_FALSE(rename("gone.txt", "gone.txt"));
    EXPECT_FALSE(rename("gone.txt", "b.txt"));
    EXPECT_TRUE(entries().empty());
}

// The current folder cannot be renamed; whatever the way tried, nothing is left behind.
TEST_P(RenamerTest, AFailedRenameLeavesNoClaimBehind) {
    makeFolder("d");
    EXPECT_FALSE(rename("d/.", "e"));
    EXPECT_EQ(entries(), (Entries{{"d", "<folder>"}}));
}

TEST_P(RenamerTest, RenamesASymbolicLinkItselfNotItsTarget) {
    write("target.txt", "T");
    ASSERT_EQ(symlink("target.txt", path("link").c_str()), 0);
    EXPECT_TRUE(rename("link", "moved"));
    char buffer[64] = {};
    EXPECT_EQ(readlink(path("moved").c_str(), buffer, sizeof buffer - 1), 10);
    EXPECT_EQ(std::string(buffer), "target.txt");
    EXPECT_EQ(entries().count("target.txt"), 1u);
}

TEST_P(RenamerTest, AFailureSaysWhyInThePlatformsWords) {
    write("a.txt", "A");
    write("b.txt", "B");
    EXPECT_EQ(renameWith(GetParam().calls, "a.txt", "b.txt").reason, std::strerror(EEXIST));
    EXPECT_EQ(renameWith(GetParam().calls, "gone.txt", "c.txt").reason, std::strerror(ENOENT));
}

// Where the file system lacks the atomic call, another program at work between two steps of a
// fall-back loses nothing: the editor's new file stays under the old name, the file renamed
// goes to its new name; a claim that another program wrote into is its own, and the rename is
// refused with both files kept.
TEST_F(RenamerFolder, AnotherProgramBetweenTwoStepsLosesNothing) {
    write("a.txt", "A");
    RenameResult linked = renameWith(
        {renameUnsupported, linkThenEditorSaves, systemRenameCalls().claimFile}, "a.txt", "b.txt");
    EXPECT_TRUE(linked.renamed);
    EXPECT_EQ(entries(), (Entries{{"a.txt", "E"}, {"b.txt", "A"}}));

    write("c.txt", "C");
    RenameResult claimed =
        renameWith({renameUnsupported, linkRefused, claimThenAnotherWrites}, "c.txt", "d.txt");
    EXPECT_FALSE(claimed.renamed);
    EXPECT_NE(claimed.reason, "");
    EXPECT_EQ(entries(), (Entries{{"a.txt", "E"}, {"b.txt", "A"}, {"c.txt", "C"}, {"d.txt", "W"}}));
}

INSTANTIATE_TEST_SUITE_P(Backends, RenamerTest, ::testing::ValuesIn(backends),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
