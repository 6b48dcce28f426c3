#pragma once

#include "file_renamer.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// The journal of kibrel-cli's last real run that renamed something, kept so that --undo can take
// the run back from any folder: every rename is written to it, by absolute paths, before it is
// made, and completed after with its outcome and the identity of the file under its new name;
// an undo adds what it takes back. So a run or an undo that is killed still leaves a true
// record: its last step was written, and whether it was made, the files tell. A run writes its
// journal under the pending name ("last-run.journal.new") until its first rename is made, and
// only then does the journal become the folder's "last-run.journal": a run that renames nothing
// (a refused pattern, nothing matched, every rename failed) leaves the last one as it was. The
// file is made of lines of tab-separated, escaped fields:
//   kibrel-cli journal 2
//   rename  OLD-PATH  NEW-PATH        before a rename
//   claim  IDENTITY                   the new name was claimed by an empty placeholder first
//   done  IDENTITY                    after it, when it was made
//   failed                            after it, when it was not
//   undo  N                           before the N-th rename (from 0) is taken back
//   claim | done | failed             as for a rename
// Tested by engine_tests (plan_test.cpp) and cli_e2e_tests.
class Journal {
  public:
    // folder: where the journal lies (journalFolder()), with its trailing separator.
    explicit Journal(std::string folder)
        : path_(folder + fileName), pendingPath_(std::move(folder) + pendingName) {}
    // A pending journal of a run that made no rename is removed.
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    static constexpr const char* fileName = "last-run.journal";
    static constexpr const char* pendingName = "last-run.journal.new";

    const std::string& path() const { return path_; }
    const std::string& pendingPath() const { return pendingPath_; }
    // Settles the pending journal that a run ended before its first rename was written as made
    // left behind: made, it shows a rename made and becomes the journal; else it is removed.
    void settlePending(bool made);
    // Begins the journal of a new run under the pending name, with nothing in it; false when it
    // cannot be written.
    bool begin();
    // Opens the last run's journal to add what an undo takes back; false when it cannot be
    // written.
    bool resume();
    // Writes that a rename is about to be made; false when the journal cannot be written or
    // was not begun.
    bool before(const std::string& oldPath, const std::string& newPath);
    // Writes that the new name of the rename under way was claimed by an empty placeholder.
    void claimed(const std::string& identity);
    // Writes that the entry-th rename is about to be taken back; false when the journal cannot
    // be written.
    bool beforeUndo(std::size_t entry);
    // Writes what the rename (or the taking back) gave. The first rename made turns a pending
    // journal into the journal; false when that cannot be done.
    bool after(bool renamed, const std::string& identity);

  private:
    bool writeLine(const std::string& line);

    std::string path_;
    std::string pendingPath_;
    std::FILE* file_ = nullptr;
    bool pending_ = false;
};

// One rename of a journal, and what is known of it.
struct JournalEntry {
    enum class Outcome { made, failed, unknown };
    std::string oldPath;
    std::string newPath;
    Outcome outcome = Outcome::unknown;
    std::string identity;
    // The placeholder that claimed the new name, when the renamer made one, and the one that
    // claimed the old name again while an undo took the rename back.
    std::string claim;
    std::string undoClaim;
    // Whether an undo took it back: failed when none tried or it could not, unknown when an
    // undo began and ended before it could say.
    Outcome takenBack = Outcome::failed;
};

// What reading a journal gave.
struct JournalRead {
    enum class State {
        absent,      // no journal lies there
        unreadable,  // it cannot be read: problem holds the platform's words
        folder,      // a folder has the journal's name
        empty,       // the file is empty
        notAJournal, // it does not begin as a journal of kibrel-cli does
        badLine,     // line number `line` is none of a journal's lines
        read,
    };
    State state = State::absent;
    std::string problem;
    std::size_t line = 0;
    // The renames in the order they were made.
    std::vector<JournalEntry> entries;
};

// The journal at path. A last line not ended by its line feed was being written when the run
// ended, and is not read.
JournalRead readJournal(const std::string& path);

// Whether the identity of a file now (fileIdentity()) is the one the journal recorded: the
// fields that both have agree, so that a journal of an older kibrel-cli, which knew fewer, is
// still understood; on a file system whose numbers for a file do not last (both end in "fat"),
// the time the file was made, the third field, alone.
bool sameFile(const std::string& recorded, const std::string& now);

// A renamer that writes every rename into the journal around the rename itself, by absolute
// paths, and tells each rename that was made.
class JournaledRenamer : public FileRenamer {
  public:
    using PathText = std::function<std::string(const std::string&)>;
    using Made = std::function<void(const std::string& oldPath, const std::string& newPath)>;

    // identify: the identity of the file at a path; absolute: the path from the root.
    JournaledRenamer(FileRenamer& renamer, Journal& journal, PathText identify, PathText absolute,
                     Made made)
        : renamer_(renamer), journal_(journal), identify_(std::move(identify)),
          absolute_(std::move(absolute)), made_(std::move(made)) {}

    RenameResult rename(const std::string& oldPath, const std::string& newPath) override;

  private:
    FileRenamer& renamer_;
    Journal& journal_;
    PathText identify_;
    PathText absolute_;
    Made made_;
};
