#include "cli_run.h"
#include "journal.h"
#include "no_replace_renamer.h"
#include "platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
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

// A run on a file system without RENAME_NOREPLACE or links, killed after it claimed its second
// new name with an empty placeholder: after the claim was written into the journal, or before.
void killedRun(const std::string& state, const std::string& folder, bool claimWritten) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Journal journal(state);
        NoReplaceRenamer renamer({renameUnsupported, linkRefused, systemRenameCalls().claimFile});
        int claims = 0;
        renamer.tellClaims([&](const std::string& path) {
            if (++claims == 2 && !claimWritten)
                _exit(0);
            journal.claimed(fileIdentity(path));
            if (claims == 2)
                _exit(0);
        });
        JournaledRenamer journaled(renamer, journal, fileIdentity, absolutePath,
                                   [](const std::string&, const std::string&) {});
        const bool made = journal.begin() && journaled.rename(folder + "c", folder + "d").renamed;
        journaled.rename(folder + "a", folder + "b");
        _exit(made ? 1 : 2);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "killed at the claim";
}

// What an undo says on standard error.
std::string undoneErr(int& status) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    status = runCli({"--undo"}, {}, stdin, out, err);
    std::rewind(err);
    std::string text;
    for (int c; (c = std::fgetc(err)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(out);
    std::fclose(err);
    return text;
}

// The undo of such a run removes the placeholder that the journal proves its own, still empty,
// and names one it cannot prove, which it leaves; the rename made before is taken back.
TEST(Undo, RemovesThePlaceholderThatAKilledRunLeftWhereItIsProvedItsOwn) {
    for (const bool claimWritten : {true, false}) {
        const std::filesystem::path root =
            std::filesystem::temp_directory_path() /
            ("kibrel-killed-" + std::to_string(std::random_device()()));
        ASSERT_TRUE(std::filesystem::create_directories(root / "files"));
        ASSERT_TRUE(std::filesystem::create_directories(root / "state" / "kibrel"));
        const std::string folder = (root / "files" / "").string();
        std::FILE* file = std::fopen((folder + "a").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("A", file);
        std::fclose(file);
        file = std::fopen((folder + "c").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
        killedRun((root / "state" / "kibrel" / "").string(), folder, claimWritten);
        ASSERT_TRUE(std::filesystem::exists(folder + "b")) << "the placeholder is left";
        setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
        int status = -1;
        const std::string err = undoneErr(status);
        unsetenv("XDG_STATE_HOME");
        EXPECT_EQ(status, 0) << err;
        EXPECT_EQ(err, claimWritten
                           ? folder + "b: the empty placeholder that the interrupted run left was "
                                      "removed\nkibrel-cli: taken back 1, not taken back 0\n"
                           : folder + "b: an empty file has the new name of " + folder +
                                 "a, which the interrupted run did not rename; it may be that "
                                 "run's placeholder, and is left as it is\nkibrel-cli: taken back "
                                 "1, not taken back 0\n");
        EXPECT_EQ(std::filesystem::exists(folder + "b"), !claimWritten);
        EXPECT_TRUE(std::filesystem::exists(folder + "a") && std::filesystem::exists(folder + "c"));
        EXPECT_FALSE(std::filesystem::exists(folder + "d"));
        std::filesystem::remove_all(root);
    }
}

} // namespace
