#pragma once

#include <string>

// What one rename gave: whether the file now has its new name, and, where the renamer tells,
// why not in the platform's words ("File exists").
struct RenameResult {
    bool renamed;
    std::string reason = {};
};

// Renames one file or folder on disk. A rename never replaces an existing file; a rename onto
// the file's own current name succeeds without touching it.
// Implemented by MoveFileRenamer (platform/, Windows), NoReplaceRenamer (platform/, natively),
// JournaledRenamer (engine/journal.h, around either, writing kibrel-cli's journal), FakeRenamer
// (tests/unit/engine/fake_pass.h) and MemoryDisk (plan_test.cpp); held by engine_tests
// (rename_pass_test.cpp, plan_test.cpp), platform_tests (no_replace_renamer_test.cpp),
// rename_safety_tests, cli_e2e_tests and e2e_pass_tests.
class FileRenamer {
  public:
    virtual ~FileRenamer() = default;

    virtual RenameResult rename(const std::string& oldPath, const std::string& newPath) = 0;

    // The same for the file of a row, which its path named when it was listed: `listedFile`
    // tells which file that was, as FileRows::listedFile gives it (empty when nothing told). A
    // renamer that knows files by such keys renames only while the path still names that file;
    // the others rename by the path alone.
    virtual RenameResult renameListed(const std::string& oldPath, const std::string& newPath,
                                      const std::string& /* listedFile */) {
        return rename(oldPath, newPath);
    }
};
