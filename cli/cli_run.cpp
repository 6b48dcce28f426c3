#include "cli_run.h"

#include "cli_messages.h"
#include "cli_rows.h"
#include "cli_texts.h"
#include "cli_window.h"
#include "compiled_patterns.h"
#include "foresight.h"
#include "journal.h"
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

// One row per PATH, in the order given, after the rows already there, but none for a PATH in
// notHeld, which goes to refused instead; false, with the error, for a PATH that names no file:
// an empty one, or one that ends in a separator.
bool appendRows(const std::vector<std::string>& paths, const std::set<std::string>& notHeld,
                const CodePage& codePage, CliRows& rows, std::vector<std::string>& refused,
                Phrase& error) {
    rows.reserve(static_cast<std::size_t>(rows.count()) + paths.size());
    for (const std::string& path : paths) {
        if (notHeld.count(path) != 0) {
            refused.push_back(path);
            continue;
        }
        PathParts parts = pathParts(path, codePage);
        if (parts.name.empty()) {
            error = path.empty() ? Phrase{"an empty PATH names no file"}
                                 : Phrase{"'%1' names no file: give a folder without the "
                                          "separator at its end",
                                          {path}};
            return false;
        }
        rows.append({std::move(parts.folder), std::move(parts.name), {}});
    }
    return true;
}

// The rows of the PATHs of the command line, but for those the code page could not hold (in
// notHeld, which go to refused), then of those of --from-file; false, with the error, when that
// file cannot be read or a PATH names no file.
bool rowsOf(const Options& options, const std::set<std::string>& notHeld, std::FILE* in,
            const CodePage& codePage, CliRows& rows, std::vector<std::string>& refused,
            Phrase& error) {
    if (!appendRows(options.paths, notHeld, codePage, rows, refused, error))
        return false;
    if (options.fromFile.empty())
        return true;
    const bool standardInput = options.fromFile == "-";
    std::FILE* file = standardInput ? in : std::fopen(options.fromFile.c_str(), "rb");
    const std::optional<std::vector<std::string>> read =
        file != nullptr ? readPaths(file, options.nullSeparated) : std::nullopt;
    if (file != nullptr && !standardInput)
        std::fclose(file);
    if (!read) {
        error = {"the PATHs of '%1' cannot be read", {options.fromFile}};
        return false;
    }
    return appendRows(*read, {}, codePage, rows, refused, error);
}

std::string pathOf(const CliRow& row) {
    return row.folder + row.name;
}

// The surroundings of one run: what was asked, how texts are read and told.
struct Run {
    const Options& options;
    const TableCodePage& codePage;
    CliMessages& messages;
    std::FILE* out;
    std::FILE* err;
};

// A rename as it is made, on standard output with --verbose.
void tellMade(const Run& run, const std::string& oldPath, const std::string& newPath) {
    if (run.options.verbosity != Verbosity::verbose)
        return;
    const std::string line = run.messages.phrase("renamed %1 -> %2", {oldPath, newPath});
    write(run.out, toTerminal(line, run.codePage.number()) + "\n");
}

// Tells why each row that is left alone is: all but those whose refusal was told already.
void tellUnusableNames(const std::vector<UnusableName>& left, const CliRows& rows,
                       CliMessages& messages) {
    for (const UnusableName& unusable : left) {
        const CliRow& row = rows.at(unusable.row);
        switch (unusable.why) {
        case UnusableName::Why::refused:
            break;
        case UnusableName::Why::empty:
            messages.say("%1: the new name is empty; the file is left as it is", {pathOf(row)});
            break;
        case UnusableName::Why::dotNames:
            messages.say("%1: the new name %2 cannot be a file's name",
                         {pathOf(row), unusable.newName});
            break;
        case UnusableName::Why::tooLong:
            messages.say("%1: the new name is longer than the file system allows (%2 bytes)",
                         {pathOf(row), std::to_string(unusable.longest)});
            break;
        }
    }
}

void tellConflicts(const std::vector<Conflict>& conflicts,
                   const std::vector<PlannedRename>& planned, CliMessages& messages) {
    for (const Conflict& c : conflicts) {
        const PlannedRename& row = planned[static_cast<std::size_t>(c.row)];
        const std::string other =
            c.other >= 0 ? planned[static_cast<std::size_t>(c.other)].oldPath : row.newPath;
        switch (c.kind) {
        case Conflict::Kind::sameNewName:
            messages.say("%1 and %2 would both get the new name %3",
                         {other, row.oldPath, row.newPath});
            break;
        case Conflict::Kind::existingFile:
            messages.say("%1 -> %2: %2 exists and is not renamed away before",
                         {row.oldPath, other});
            break;
        case Conflict::Kind::chain:
            messages.say("%1 -> %2 comes before %2 -> %3 in the list, so %2 is still there "
                         "(--order renames them in turn)",
                         {row.oldPath, other, planned[static_cast<std::size_t>(c.other)].newPath});
            break;
        case Conflict::Kind::swap:
            messages.say("%1 and %2 would take each other's names, so neither can go first "
                         "(--order swaps them through a temporary name)",
                         {row.oldPath, other});
            break;
        }
    }
}

// A temporary name of this process in the folder of path.
std::string temporaryName(const std::string& path, int n, const CodePage& codePage) {
    return pathParts(path, codePage).folder + ".kibrel-" + std::to_string(processNumber()) + "-" +
           std::to_string(n);
}

FileRenamer& platformRenamer() {
#ifdef _WIN32
    static MoveFileRenamer renamer(true);
#else
    static NoReplaceRenamer renamer;
#endif
    return renamer;
}

constexpr const char* noJournalText = "kibrel-cli: no journal can be kept, so nothing was renamed";

// The folder of the journal, or empty after the message that no journal can be kept.
std::string journalFolderOrSay(CliMessages& messages) {
    std::string folder = journalFolder();
    if (folder.empty())
        messages.say(noJournalText);
    return folder;
}

// Begins the journal of a real run; false after the message that no journal can be kept.
bool beginJournalOrSay(Journal& journal, CliMessages& messages) {
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

// The two passes, as two presses of the window's action button, with what a script needs
// around them.
int runPasses(const Run& run, CliRows& rows) {
    run.messages.speakOf(rows);
    // A real run keeps its journal, begun before anything else; without one it renames
    // nothing.
    const std::string folder = run.options.dryRun ? "" : journalFolderOrSay(run.messages);
    Journal journal(folder);
    if (!run.options.dryRun && (folder.empty() || !beginJournalOrSay(journal, run.messages)))
        return exitRefused;
    JournaledRenamer renamer(
        platformRenamer(), journal, fileIdentity,
        [&](const std::string& from, const std::string& to) { tellMade(run, from, to); });
    CompiledPatterns matcher;
    RenameEngine engine(run.codePage, run.messages, matcher);
    if (!onWindows && !run.options.windowsNames)
        engine.forbiddenCharacters = nativeForbiddenCharacters;
    CliWindow window(run.options.search, run.options.replace);
    RenamePass pass(engine, rows, renamer, window, run.messages);

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
            const CliRow& row = rows.at(i);
            appendRecord(records, pathOf(row), row.newName, run.options.nullSeparated);
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

    // A row whose new name can be no file's name is left alone, with a message naming it.
    tellUnusableNames(leaveUnusableNames(rows, tested.rowKinds, longestName), rows, run.messages);
    const std::vector<PlannedRename> planned = plannedRenames(rows);
    PathsOnDisk onDisk;
    const PathExists exists = [&](const std::string& path) { return onDisk.exists(path); };
    std::optional<OrderedPlan> plan;
    if (run.options.order)
        plan = planOrder(planned, exists, [&](const std::string& path, int n) {
            return temporaryName(path, n, run.codePage);
        });
    const std::vector<Conflict> conflicts =
        plan ? plan->conflicts : foreseeListOrder(planned, exists);
    tellConflicts(conflicts, planned, run.messages);
    if (run.options.dryRun)
        return exitOf(foreseenOutcome(conflicts, rows));
    if (plan)
        return exitOf(renameInOrder(run, rows, *plan, renamer));
    return exitOf(pass.runAction());
}

// Where a path of the tree as an undo leaves it lies now, while the undo is only shown: every
// rename taken back so far (restored path, path it still has) moves what lies below it too.
std::string whereItLiesNow(std::string path,
                           const std::vector<std::pair<std::string, std::string>>& takenBack) {
    for (auto step = takenBack.rbegin(); step != takenBack.rend(); ++step) {
        const std::string& restored = step->first;
        if (path.compare(0, restored.size(), restored) == 0 &&
            (path.size() == restored.size() ||
             pathSeparators.find(path[restored.size()]) != std::string_view::npos))
            path.replace(0, restored.size(), step->second);
    }
    return path;
}

// The last run's renames taken back, newest first, each file from its new name to its old one,
// never onto an existing file; a file that has moved, changed name or been replaced since is
// told and left alone. Each is looked at when its turn comes, after the newer ones are taken
// back (a folder renamed after a file in it first).
int runUndo(const Run& run) {
    const std::string folder = journalFolderOrSay(run.messages);
    if (folder.empty())
        return exitRefused;
    const std::optional<std::vector<JournalEntry>> entries =
        readJournal(folder + Journal::fileName);
    if (!entries) {
        run.messages.say("kibrel-cli: there is no run to take back");
        return exitRefused;
    }
    Journal journal(folder);
    if (!run.options.dryRun && !beginJournalOrSay(journal, run.messages))
        return exitRefused;
    JournaledRenamer renamer(
        platformRenamer(), journal, fileIdentity,
        [&](const std::string& from, const std::string& to) { tellMade(run, from, to); });
    std::vector<std::pair<std::string, std::string>> takenBack;
    std::string records;
    int leftAlone = 0;
    for (auto entry = entries->rbegin(); entry != entries->rend(); ++entry) {
        if (entry->outcome == JournalEntry::Outcome::failed)
            continue;
        const std::string now = fileIdentity(whereItLiesNow(entry->newPath, takenBack));
        // A rename that the run may not have made before it ended was made when the file is
        // under its new name and nothing is under its old one.
        if (entry->outcome == JournalEntry::Outcome::unknown &&
            (now.empty() || pathExists(whereItLiesNow(entry->oldPath, takenBack))))
            continue;
        if (now.empty()) {
            run.messages.say("%1: not taken back: it has moved or changed name since",
                             {entry->newPath});
            ++leftAlone;
        } else if (entry->outcome == JournalEntry::Outcome::made && now != entry->identity) {
            run.messages.say("%1: not taken back: another file has that name now",
                             {entry->newPath});
            ++leftAlone;
        } else if (run.options.dryRun) {
            appendRecord(records, entry->newPath, pathParts(entry->oldPath, run.codePage).name,
                         run.options.nullSeparated);
            takenBack.emplace_back(entry->oldPath, entry->newPath);
        } else if (const RenameResult result = renamer.rename(entry->newPath, entry->oldPath);
                   !result.renamed) {
            run.messages.showMessage(
                renameFailedText(entry->newPath, entry->oldPath, result.reason), 0,
                renameFailedCaption);
            ++leftAlone;
        }
    }
    if (run.options.dryRun && run.options.verbosity != Verbosity::quiet && !write(run.out, records))
        return exitRefused;
    return leftAlone > 0 ? exitSomeRowFailed : exitAllRenamed;
}

} // namespace

int runCli(std::vector<std::string> args, const std::set<std::string>& notHeld, std::FILE* in,
           std::FILE* out, std::FILE* err) {
    ignoreBrokenPipe();
    const CommandLine line = parseCommandLine(std::move(args));
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
