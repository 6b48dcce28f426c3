#include "cli_run.h"

#include "cli_messages.h"
#include "cli_rows.h"
#include "cli_texts.h"
#include "cli_window.h"
#include "compiled_patterns.h"
#include "foresight.h"
#include "journal.h"
#include "line_fields.h"
#include "options.h"
#include "ordered_renames.h"
#include "platform.h"
#include "records.h"
#include "regex_handle.h"
#include "rename_pass.h"
#include "system_texts.h"
#include "table_code_page.h"
#include "text_conversion.h"
#include "usage.h"

#include <algorithm>
#include <set>
#include <utility>

#ifdef _WIN32
#include "move_file_renamer.h"
#else
#include "no_replace_renamer.h"
#endif

namespace {

#ifdef _WIN32
// Natively a name may hold whatever the platform allows; Windows refuses the window's nine.
constexpr bool onWindows = true;
#else
constexpr bool onWindows = false;
#endif
// What the platform itself cannot hold in a name natively.
constexpr std::string_view nativeForbiddenCharacters{"/\0", 2};

bool write(std::FILE* stream, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
           std::fflush(stream) == 0;
}

// The usage error said in the code page its values are in, as the terminal shows it.
int usageError(const Phrase& error, unsigned codePage, std::FILE* err) {
    write(err, toTerminal(usageErrorText(said(error, codePage), codePage), codePage));
    return exitRefused;
}

// A PATH without the separators at its end, which name the folder all the same. A PATH of
// separators alone is the root, and on Windows "C:\\" is a drive's: those stay as they are.
std::string withoutEndingSeparators(std::string path, const CodePage& codePage) {
    for (std::size_t folder = pathFolderLength(path, codePage); folder == path.size() && folder > 1;
         folder = pathFolderLength(path, codePage)) {
        const std::string shorter = path.substr(0, folder - 1);
        if (shorter.find_first_not_of(pathSeparators) == std::string::npos ||
            (onWindows && shorter.back() == ':'))
            break;
        path = shorter;
    }
    return path;
}

// A row for the PATH, whose text lasts as long as the rows, after the rows already there;
// false, with the error, for an empty PATH. A folder may be given with separators at its end;
// the root is a row of its own, which cannot be renamed.
bool appendRow(std::string_view given, const CodePage& codePage, CliRows& rows, Phrase& error) {
    if (given.empty()) {
        error = Phrase{"an empty PATH names no file"};
        return false;
    }
    std::size_t folder = pathFolderLength(given, codePage);
    if (folder < given.size()) {
        rows.appendLasting(given, folder);
        return true;
    }
    const std::string path = withoutEndingSeparators(std::string(given), codePage);
    folder = pathFolderLength(path, codePage);
    if (folder == path.size())
        rows.append({}, path);
    else
        rows.append(std::string_view(path).substr(0, folder),
                    std::string_view(path).substr(folder));
    return true;
}

// The rows of the PATHs of the command line, but for those the code page could not hold (in
// notHeld, which go to refused), then of those of --from-file; false, with the error, when that
// file cannot be read or a PATH is empty.
bool rowsOf(const Options& options, const std::set<std::string>& notHeld, std::FILE* in,
            const CodePage& codePage, CliRows& rows, std::vector<std::string>& refused,
            Phrase& error) {
    rows.reserve(options.paths.size());
    for (const std::string_view path : options.paths) {
        if (!notHeld.empty() && notHeld.count(std::string(path)) != 0)
            refused.emplace_back(path);
        else if (!appendRow(path, codePage, rows, error))
            return false;
    }
    if (options.fromFile.empty())
        return true;
    const bool standardInput = options.fromFile == "-";
    std::FILE* file = standardInput ? in : std::fopen(options.fromFile.c_str(), "rb");
    std::optional<std::string> read = file != nullptr ? readStream(file) : std::nullopt;
    if (file != nullptr && !standardInput)
        std::fclose(file);
    if (!read) {
        error = {"the PATHs of '%1' cannot be read", {options.fromFile}};
        return false;
    }
    // The rows are views of the text, which they keep; a row for each PATH of it at most, so
    // that the rows are not moved as they come.
    const std::string_view paths = rows.keep(std::move(*read));
    rows.reserve(static_cast<std::size_t>(rows.count()) + 1 +
                 static_cast<std::size_t>(
                     std::count(paths.begin(), paths.end(), options.nullSeparated ? '\0' : '\n')));
    return takePaths(paths, options.nullSeparated,
                     [&](std::string_view path) { return appendRow(path, codePage, rows, error); });
}

// Every row's path and new path, the new path empty for a row left alone.
std::vector<PlannedRename> plannedRenames(const CliRows& rows) {
    std::vector<PlannedRename> planned;
    planned.reserve(static_cast<std::size_t>(rows.count()));
    for (int i = 0; i < rows.count(); ++i)
        planned.push_back({rows.path(i), rows.newPath(i)});
    return planned;
}

// The folders of the rows, each once, in the order of their first rows.
std::vector<std::string> foldersOf(const CliRows& rows) {
    std::vector<std::string> folders;
    std::set<std::string_view> seen;
    std::string_view last;
    for (int i = 0; i < rows.count(); ++i) {
        const std::string_view folder = rows.folder(i);
        if ((i == 0 || folder != last) && seen.insert(folder).second)
            folders.emplace_back(folder);
        last = folder;
    }
    return folders;
}

// The surroundings of one run: what was asked, how texts are read and told.
struct Run {
    const Options& options;
    const TableCodePage& codePage;
    CliMessages& messages;
    std::FILE* out;
    std::FILE* err;
};

// A rename as it is made, on standard error with --verbose.
void tellMade(const Run& run, const std::string& oldPath, const std::string& newPath) {
    if (run.options.verbosity == Verbosity::verbose)
        run.messages.say("renamed %1 -> %2", {oldPath, newPath});
}

// Tells why each row that is left alone is: all but those whose refusal was told already.
void tellUnusableNames(const std::vector<UnusableName>& left, const CliRows& rows,
                       CliMessages& messages) {
    for (const UnusableName& unusable : left) {
        const std::string path(rows.path(unusable.row));
        switch (unusable.why) {
        case UnusableName::Why::refused:
            break;
        case UnusableName::Why::empty:
            messages.say("%1: the new name is empty; the file is left as it is", {path});
            break;
        case UnusableName::Why::dotNames:
            messages.say("%1: the new name %2 cannot be a file's name", {path, unusable.newName});
            break;
        case UnusableName::Why::tooLong:
            messages.say("%1: the new name is longer than the file system allows (%2 bytes)",
                         {path, std::to_string(unusable.longest)});
            break;
        case UnusableName::Why::windows:
            messages.say("%1: Windows cannot hold the new name %2 (a device name, a dot or a "
                         "space at its end, or a control character)",
                         {path, unusable.newName});
            break;
        }
    }
}

void tellConflicts(const std::vector<Conflict>& conflicts,
                   const std::vector<PlannedRename>& planned, CliMessages& messages) {
    for (const Conflict& c : conflicts) {
        const PlannedRename& row = planned[static_cast<std::size_t>(c.row)];
        const std::string oldPath(row.oldPath);
        const std::string newPath(row.newPath);
        const std::string other(c.other >= 0 ? planned[static_cast<std::size_t>(c.other)].oldPath
                                             : row.newPath);
        switch (c.kind) {
        case Conflict::Kind::sameNewName:
            messages.say("%1 and %2 would both get the new name %3", {other, oldPath, newPath});
            break;
        case Conflict::Kind::existingFile:
            messages.say("%1 -> %2: %2 exists and is not renamed away before", {oldPath, other});
            break;
        case Conflict::Kind::chain:
            messages.say(
                "%1 -> %2 comes before %2 -> %3 in the list, so %2 is still there "
                "(--order renames them in turn)",
                {oldPath, other, std::string(planned[static_cast<std::size_t>(c.other)].newPath)});
            break;
        case Conflict::Kind::swap:
            messages.say("%1 and %2 would take each other's names, so neither can go first "
                         "(--order swaps them through a temporary name)",
                         {oldPath, other});
            break;
        }
    }
}

// The rows that no order can rename are told and left alone, in the rows and in their plan.
void leaveUnrenamable(CliRows& rows, std::vector<PlannedRename>& planned, PathsOnDisk& onDisk,
                      CliMessages& messages) {
    const std::vector<Unrenamable> found = foreseeUnrenamable(
        planned,
        [&](const std::vector<std::string_view>& paths) { return onDisk.identities(paths); },
        pathSeparators);
    for (const Unrenamable& u : found) {
        const std::string path(planned[static_cast<std::size_t>(u.row)].oldPath);
        const std::string other(u.other >= 0 ? planned[static_cast<std::size_t>(u.other)].oldPath
                                             : std::string_view());
        switch (u.kind) {
        case Unrenamable::Kind::missing:
            messages.say("%1: no file or folder has this name", {path});
            break;
        case Unrenamable::Kind::sameFile:
            messages.say("%1 is the file %2, which is renamed before it", {path, other});
            break;
        case Unrenamable::Kind::folderFirst:
            messages.say("%1: its folder %2 is renamed before it (list the folder after what it "
                         "holds)",
                         {path, other});
            break;
        case Unrenamable::Kind::notAName:
            messages.say("%1 cannot be renamed", {path});
            break;
        }
        rows.setNewName(u.row, {});
        planned[static_cast<std::size_t>(u.row)].newPath = {};
    }
}

// A temporary name of this process in the folder of path.
std::string temporaryName(std::string_view path, int n, const CodePage& codePage) {
    return std::string(path.substr(0, pathFolderLength(path, codePage))) + ".kibrel-" +
           std::to_string(processNumber()) + "-" + std::to_string(n);
}

// The platform's renamer, which tells the journal of a placeholder it claims a new name with.
class PlatformRenamer {
  public:
    explicit PlatformRenamer(Journal& journal) {
#ifndef _WIN32
        renamer_.tellClaims(
            [&journal](const std::string& path) { journal.claimed(fileIdentity(path)); });
#else
        (void)journal;
#endif
    }
    FileRenamer& renamer() {
        return renamer_;
    }

  private:
#ifdef _WIN32
    MoveFileRenamer renamer_{true};
#else
    NoReplaceRenamer renamer_;
#endif
};

constexpr const char* noJournalText = "kibrel-cli: no journal can be kept, so nothing was renamed";

// The folder of the journal, or empty after the message that no journal can be kept.
std::string journalFolderOrSay(CliMessages& messages) {
    std::string folder = journalFolder();
    if (folder.empty())
        messages.say(noJournalText);
    return folder;
}

// A run ended between its first rename and the moment its pending journal took the journal's
// name leaves the pending one, which is the last run's when it shows a rename made: written as
// made, or not written as failed with the file under its new name and nothing under its old.
void settlePendingJournal(Journal& journal) {
    const JournalRead pending = readJournal(journal.pendingPath());
    if (pending.state == JournalRead::State::absent)
        return;
    bool made = false;
    for (const JournalEntry& entry : pending.entries)
        made = made || entry.outcome == JournalEntry::Outcome::made ||
               (entry.outcome == JournalEntry::Outcome::unknown && pathExists(entry.newPath) &&
                !pathExists(entry.oldPath));
    journal.settlePending(made);
}

// Begins the journal of a real run; false after the message that no journal can be kept.
bool beginJournalOrSay(Journal& journal, CliMessages& messages) {
    settlePendingJournal(journal);
    if (journal.begin())
        return true;
    messages.say(noJournalText);
    return false;
}

// The renames in an order that lets chains and swaps succeed; returns what they did.
PassOutcome renameInOrder(const Run& run, CliRows& rows, const OrderedPlan& plan,
                          FileRenamer& renamer) {
    const std::vector<bool> renamed = runOrdered(
        plan, static_cast<std::size_t>(rows.count()), renamer,
        [&](const RenameStep& step, const RenameResult& result) {
            if (!result.renamed)
                run.messages.showMessage(renameFailedText(step.from, step.to, result.reason), 0,
                                         renameFailedCaption);
        });
    return orderedOutcome(renamed, rows);
}

// The exit status of a rename pass, or of one foreseen.
int exitOf(const PassOutcome& outcome) {
    return outcome.failedRows() > 0 ? exitSomeRowFailed : exitAllRenamed;
}

// The rows whose new name is their name, which a rename pass leaves as they are.
int unchangedRows(const CliRows& rows) {
    int unchanged = 0;
    for (int i = 0; i < rows.count(); ++i)
        unchanged += rows.newName(i) == rows.name(i) ? 1 : 0;
    return unchanged;
}

// The closing line of a real run, unless -q: the rows renamed, failed and left as they were;
// returns the run's exit status.
int tellCounts(const Run& run, const PassOutcome& outcome, int total, int unchanged) {
    if (run.options.verbosity != Verbosity::quiet) {
        const int failed = outcome.failedRows();
        const int renamed = total - failed - unchanged;
        run.messages.say("kibrel-cli: renamed %1, failed %2, unchanged %3",
                         {std::to_string(renamed > 0 ? renamed : 0), std::to_string(failed),
                          std::to_string(unchanged)});
    }
    return exitOf(outcome);
}

// The two passes, as two presses of the window's action button, with what a script needs
// around them.
int runPasses(const Run& run, CliRows& rows) {
    run.messages.speakOf(rows);
    // A real run begins its journal before anything else; without one it renames nothing.
    const std::string folder = run.options.dryRun ? "" : journalFolderOrSay(run.messages);
    Journal journal(folder);
    if (!run.options.dryRun && (folder.empty() || !beginJournalOrSay(journal, run.messages)))
        return exitRefused;
    PlatformRenamer platform(journal);
    JournaledRenamer renamer(
        platform.renamer(), journal, fileIdentity, absolutePath,
        [&](const std::string& from, const std::string& to) { tellMade(run, from, to); });
    CompiledPatterns matcher;
    RenameEngine engine(run.codePage, run.messages, matcher);
    engine.firstNumber = run.options.start;
    if (!onWindows && !run.options.windowsNames)
        engine.forbiddenCharacters = nativeForbiddenCharacters;
    CliWindow window(run.options.search, run.options.replace);
    RenamePass pass(engine, rows, renamer, window, run.messages);

    // The rows' folders are listed while their new names are worked out.
    PathsOnDisk onDisk;
    onDisk.listAhead(foldersOf(rows));
    const PassOutcome tested = pass.runAction();
    run.messages.rowsDone();
    if (tested.kind != PassOutcome::Kind::tested)
        return exitRefused;
    if (run.options.verbosity != Verbosity::quiet) {
        // Written a block at a time, so that a long list is never held twice.
        constexpr std::size_t block = 64 * 1024;
        std::string records;
        bool written = true;
        for (int i = 0; i < rows.count() && written; ++i) {
            appendRecord(records, rows.path(i), rows.newName(i), run.options.nullSeparated);
            if (records.size() >= block || i + 1 == rows.count()) {
                written = write(run.out, records);
                records.clear();
            }
        }
        if (!written) {
            run.messages.say("kibrel-cli: the new names could not be written; nothing was renamed");
            return exitRefused;
        }
    }
    // The library refused the pattern, or could not be used, while the names were computed:
    // the names are not what the pattern asks for, and no one is there to look at them before
    // the rename, so nothing is renamed.
    if (tested.libraryFailures > 0)
        return exitRefused;

    // A row whose new name can be no file's name is left alone, with a message naming it, and
    // so is a row that no order of renames can rename.
    tellUnusableNames(leaveUnusableNames(rows, tested.rowKinds, longestName,
                                         onWindows || run.options.windowsNames),
                      rows, run.messages);
    std::vector<PlannedRename> planned = plannedRenames(rows);
    leaveUnrenamable(rows, planned, onDisk, run.messages);
    const PathExists exists = [&](std::string_view path) { return onDisk.exists(path); };
    std::optional<OrderedPlan> plan;
    if (run.options.order)
        plan = planOrder(planned, exists, [&](std::string_view path, int n) {
            return temporaryName(path, n, run.codePage);
        });
    const std::vector<Conflict> conflicts =
        plan ? plan->conflicts : foreseeListOrder(planned, exists, [&](std::string_view path) {
            onDisk.prefetch(path);
        });
    tellConflicts(conflicts, planned, run.messages);
    if (run.options.dryRun)
        return exitOf(foreseenOutcome(conflicts, rows));
    const int total = rows.count();
    const int unchanged = unchangedRows(rows);
    if (plan)
        return tellCounts(run, renameInOrder(run, rows, *plan, renamer), total, unchanged);
    return tellCounts(run, pass.runAction(), total, unchanged);
}

// What an undo that is only shown has taken back so far, to tell where a path of the tree as
// the undo leaves it lies now and whether a name is taken.
class ShownUndo {
  public:
    // Where the path lies now: every rename taken back so far (restored path, path it still
    // has) moves what lies below it too.
    std::string whereItLiesNow(std::string path) const {
        for (auto step = takenBack_.rbegin(); step != takenBack_.rend(); ++step) {
            const std::string& restored = step->first;
            if (path.compare(0, restored.size(), restored) == 0 &&
                (path.size() == restored.size() ||
                 pathSeparators.find(path[restored.size()]) != std::string_view::npos))
                path.replace(0, restored.size(), step->second);
        }
        return path;
    }
    // The identity of what has the path, as the undo leaves the tree.
    std::string identityOf(const std::string& path) const {
        const std::string now = whereItLiesNow(path);
        return restored_.count(path) == 0 && vacated_.count(now) != 0 ? std::string()
                                                                      : fileIdentity(now);
    }
    void takeBack(const std::string& newPath, const std::string& oldPath) {
        vacated_.insert(whereItLiesNow(newPath));
        restored_.erase(newPath);
        restored_.insert(oldPath);
        takenBack_.emplace_back(oldPath, newPath);
    }

  private:
    std::vector<std::pair<std::string, std::string>> takenBack_;
    std::set<std::string> restored_;
    std::set<std::string> vacated_;
};

// A journal that cannot be read is told with its path and what is wrong with it.
void tellDamage(const JournalRead& read, const std::string& path, CliMessages& messages) {
    switch (read.state) {
    case JournalRead::State::unreadable:
        messages.say("kibrel-cli: the journal %1 cannot be read: %2", {path, read.problem});
        break;
    case JournalRead::State::folder:
        messages.say("kibrel-cli: the journal %1 is a folder, not a journal", {path});
        break;
    case JournalRead::State::empty:
        messages.say("kibrel-cli: the journal %1 is damaged: it is empty", {path});
        break;
    case JournalRead::State::notAJournal:
        messages.say("kibrel-cli: the journal %1 is damaged: it does not begin as a journal",
                     {path});
        break;
    case JournalRead::State::badLine:
        messages.say("kibrel-cli: the journal %1 is damaged: line %2 cannot be read",
                     {path, std::to_string(read.line)});
        break;
    case JournalRead::State::absent:
    case JournalRead::State::read:
        break;
    }
}

// An interrupted run (or undo) whose last rename, of `from`, was not made may have left the
// empty placeholder that claimed the name `path`: removed when it is the one the journal wrote
// as claimed and still empty, else named.
void settlePlaceholder(const Run& run, const std::string& path, const std::string& claim,
                       const std::string& from) {
    if (!isEmptyFile(path))
        return;
    if (claim.empty() || !sameFile(claim, fileIdentity(path)))
        run.messages.say("%1: an empty file has the new name of %2, which the interrupted run did "
                         "not rename; it may be that run's placeholder, and is left as it is",
                         {path, from});
    else if (run.options.dryRun)
        run.messages.say("%1: the empty placeholder that the interrupted run left would be removed",
                         {path});
    else if (removeFile(path))
        run.messages.say("%1: the empty placeholder that the interrupted run left was removed",
                         {path});
}

// The last run's renames taken back, newest first, each file from its new name to its old one,
// never onto an existing file; a file that has moved, changed name or been replaced since is
// told and left alone. Each is looked at when its turn comes, after the newer ones are taken
// back (a folder renamed after a file in it first). What is taken back is written into the
// journal, so that a later undo retries only what this one could not take back.
int runUndo(const Run& run) {
    const std::string folder = journalFolderOrSay(run.messages);
    if (folder.empty())
        return exitRefused;
    Journal journal(folder);
    settlePendingJournal(journal);
    const JournalRead read = readJournal(journal.path());
    if (read.state == JournalRead::State::absent) {
        run.messages.say("kibrel-cli: there is no run to take back");
        return exitRefused;
    }
    if (read.state != JournalRead::State::read) {
        tellDamage(read, journal.path(), run.messages);
        return exitRefused;
    }
    const std::vector<JournalEntry>& entries = read.entries;
    if (!run.options.dryRun && !journal.resume()) {
        run.messages.say(noJournalText);
        return exitRefused;
    }
    PlatformRenamer platform(journal);
    ShownUndo shown;
    std::string records;
    int toTakeBack = 0;
    int takenBack = 0;
    int leftAlone = 0;
    for (std::size_t i = entries.size(); i-- > 0;) {
        const JournalEntry& entry = entries[i];
        if (entry.outcome == JournalEntry::Outcome::failed ||
            entry.takenBack == JournalEntry::Outcome::made)
            continue;
        // An undo that ended while it took this one back took it back when the file is under
        // its old name and nothing under its new one.
        if (entry.takenBack == JournalEntry::Outcome::unknown) {
            if (!pathExists(entry.newPath) && pathExists(entry.oldPath))
                continue;
            settlePlaceholder(run, entry.oldPath, entry.undoClaim, entry.newPath);
        }
        const std::string now = shown.identityOf(entry.newPath);
        const bool oldTaken = !shown.identityOf(entry.oldPath).empty();
        // A rename that the run may not have made before it ended was made when the file is
        // under its new name and nothing is under its old one.
        if (entry.outcome == JournalEntry::Outcome::unknown && (now.empty() || oldTaken)) {
            if (!now.empty())
                settlePlaceholder(run, entry.newPath, entry.claim, entry.oldPath);
            continue;
        }
        ++toTakeBack;
        if (now.empty()) {
            run.messages.say("%1: not taken back: it has moved or changed name since",
                             {entry.newPath});
            ++leftAlone;
        } else if (entry.outcome == JournalEntry::Outcome::made && !sameFile(entry.identity, now)) {
            run.messages.say("%1: not taken back: another file has that name now", {entry.newPath});
            ++leftAlone;
        } else if (run.options.dryRun) {
            if (oldTaken) {
                run.messages.say("%1: not taken back: %2 exists", {entry.newPath, entry.oldPath});
                ++leftAlone;
                continue;
            }
            appendRecord(records, entry.newPath,
                         std::string_view(entry.oldPath)
                             .substr(pathFolderLength(entry.oldPath, run.codePage)),
                         run.options.nullSeparated);
            shown.takeBack(entry.newPath, entry.oldPath);
        } else {
            if (!journal.beforeUndo(i)) {
                run.messages.say(noJournalText);
                return exitRefused;
            }
            const RenameResult result = platform.renamer().rename(entry.newPath, entry.oldPath);
            journal.after(result.renamed, {});
            if (result.renamed) {
                ++takenBack;
                tellMade(run, entry.newPath, entry.oldPath);
            } else {
                run.messages.showMessage(
                    renameFailedText(entry.newPath, entry.oldPath, result.reason), 0,
                    renameFailedCaption);
                ++leftAlone;
            }
        }
    }
    if (toTakeBack == 0) {
        run.messages.say("kibrel-cli: the last run has been taken back already");
        return exitAllRenamed;
    }
    if (run.options.dryRun && run.options.verbosity != Verbosity::quiet && !write(run.out, records))
        return exitRefused;
    if (!run.options.dryRun && run.options.verbosity != Verbosity::quiet)
        run.messages.say("kibrel-cli: taken back %1, not taken back %2",
                         {std::to_string(takenBack), std::to_string(leftAlone)});
    return leftAlone > 0 ? exitSomeRowFailed : exitAllRenamed;
}

} // namespace

int runCli(const std::vector<std::string_view>& args, const std::set<std::string>& notHeld,
           std::FILE* in, std::FILE* out, std::FILE* err) {
    ignoreBrokenPipe();
    CommandLine line = parseCommandLine(args);
    if (line.request == Request::usageError)
        return usageError(line.error, defaultCodePage(), err);
    // A pattern with "?" where the user typed a character would search for something else.
    if (notHeld.count(line.options.search) != 0 || notHeld.count(line.options.replace) != 0)
        return usageError({"the Search or Replace text holds characters that the code page of "
                           "this system cannot hold"},
                          defaultCodePage(), err);
    if (line.request == Request::help)
        return write(out, toTerminal(fromUtf8(helpText(), defaultCodePage()), defaultCodePage()))
                   ? exitAllRenamed
                   : exitRefused;

    const Options& options = line.options;
    const unsigned codePage = options.codePage != 0 ? options.codePage : defaultCodePage();
    if (const std::optional<Phrase> refusal = codePageRefusal(codePage))
        return usageError(*refusal, defaultCodePage(), err);
    const TableCodePage tableCodePage(codePage);
    CliMessages messages(codePage, err, !onWindows && !options.windowsNames);
    const Run run{options, tableCodePage, messages, out, err};
    if (line.request == Request::undo)
        return runUndo(run);

    CliRows rows;
    std::vector<std::string> refused;
    if (line.request == Request::run) {
        Phrase error;
        if (!rowsOf(options, notHeld, in, tableCodePage, rows, refused, error))
            return usageError(error, codePage, err);
        // The rows hold the PATHs now.
        line.options.paths = {};
    }
    if (!refused.empty()) {
        std::string named = messages.text(SystemText::PathsNotHeld);
        for (const std::string& path : refused)
            named += "\n" + path;
        messages.show(named);
        if (rows.count() == 0)
            return exitSomeRowFailed;
    }
    setLibraryCodePage(codePage);

    // One reference of the front end's own keeps the library loaded from here to the end, so
    // that the engine's many short uses of it neither load nor free it.
    RegexHandle libraryReference;
    if (libraryReference.open() == 0) {
        messages.show(messages.text(SystemText::LibraryMissing));
        return exitRefused;
    }
    if (line.request == Request::version)
        return write(out, versionText(libraryReference.libraryVersion())) ? exitAllRenamed
                                                                          : exitRefused;
    const int status = runPasses(run, rows);
    return refused.empty() || status > exitSomeRowFailed ? status : exitSomeRowFailed;
}
