#pragma once

#include "file_renamer.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The journal of kibrel-cli's last real run, kept so that --undo can take the run back: every
// rename is written to it before it is made, and completed after with its outcome and the
// identity of the file under its new name. So a run that is killed still leaves a true record:
// its last rename was written, and whether it was made, the files tell. The file is the folder's
// "last-run.journal", begun anew by every real run before its first rename (a run that renames
// nothing leaves an empty one), and made of lines of tab-separated, escaped fields:
//   kibrel-cli journal 1
//   rename  OLD-PATH  NEW-PATH        before a rename
//   done  IDENTITY                    after it, when it was made
//   failed                            after it, when it was not
// Tested by engine_tests (plan_test.cpp) and cli_e2e_tests.
class Journal {
  public:
    // folder: where the journal lies (journalFolder()), with its trailing separator.
    explicit Journal(std::string folder) : path_(std::move(folder) + fileName) {}
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    static constexpr const char* fileName = "last-run.journal";

    const std::string& path() const { return path_; }
    // Begins the journal anew, with nothing in it; false when it cannot be written.
    bool begin();
    // Writes that a rename is about to be made; false when the journal cannot be written or
    // was not begun.
    bool before(const std::string& oldPath, const std::string& newPath);
    // Writes what the rename gave.
    void after(bool renamed, const std::string& identity);

  private:
    bool writeLine(const std::string& line);

    std::string path_;
    std::FILE* file_ = nullptr;
};

// One rename of a journal, and what is known of it.
struct JournalEntry {
    enum class Outcome { made, failed, unknown };
    std::string oldPath;
    std::string newPath;
    Outcome outcome = Outcome::unknown;
    std::string identity;
};

// The renames of the journal at path, in the order they were made; nothing when there is no
// journal or it is not one.
std::optional<std::vector<JournalEntry>> readJournal(const std::string& path);

// A renamer that writes every rename into the journal around the rename itself, and tells each
// rename that was made.
class JournaledRenamer : public FileRenamer {
  public:
    using Identify = std::function<std::string(const std::string&)>;
    using Made = std::function<void(const std::string& oldPath, const std::string& newPath)>;

    JournaledRenamer(FileRenamer& renamer, Journal& journal, Identify identify, Made made)
        : renamer_(renamer), journal_(journal), identify_(std::move(identify)),
          made_(std::move(made)) {}

    RenameResult rename(const std::string& oldPath, const std::string& newPath) override;

  private:
    FileRenamer& renamer_;
    Journal& journal_;
    Identify identify_;
    Made made_;
};
