#include "cli_run.h"

#include "cli_messages.h"
#include "cli_rows.h"
#include "cli_window.h"
#include "compiled_patterns.h"
#include "options.h"
#include "platform.h"
#include "regex_handle.h"
#include "rename_pass.h"
#include "table_code_page.h"
#include "text_conversion.h"
#include "usage.h"

#include <utility>

#ifdef _WIN32
#include "move_file_renamer.h"
using PlatformRenamer = MoveFileRenamer;
#else
#include "no_replace_renamer.h"
using PlatformRenamer = NoReplaceRenamer;
#endif

namespace {

bool write(std::FILE* stream, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
           std::fflush(stream) == 0;
}

int usageError(const std::string& error, std::FILE* err) {
    write(err, usageErrorText(error));
    return exitRefused;
}

// One line per row, in list order: the full old path, a tab, the NewName; bytes as they are.
bool writeNewNames(const CliRows& rows, std::FILE* out) {
    std::string lines;
    for (int i = 0; i < rows.count(); ++i) {
        const CliRow& row = rows.at(i);
        lines += row.folder;
        lines += row.name;
        lines += '\t';
        lines += row.newName;
        lines += '\n';
    }
    return write(out, lines);
}

// One row per PATH, in the order given; false, with the error, for a PATH that names no file:
// an empty one, or one that ends in a separator.
bool rowsOf(const std::vector<std::string>& paths, const CodePage& codePage, CliRows& rows,
            std::string& error) {
    for (const std::string& path : paths) {
        PathParts parts = pathParts(path, codePage);
        if (parts.name.empty()) {
            error = path.empty() ? "an empty PATH names no file"
                                 : "'" + path + "' names no file: give a folder without the " +
                                       "separator at its end";
            return false;
        }
        rows.append({std::move(parts.folder), std::move(parts.name), {}});
    }
    return true;
}

// The two passes, as two presses of the window's action button.
int runPasses(const Options& options, const CodePage& codePage, CliRows& rows,
              CliMessages& messages, std::FILE* out, std::FILE* err) {
    CompiledPatterns matcher;
    RenameEngine engine(codePage, messages, matcher);
    CliWindow window(options.search, options.replace);
    PlatformRenamer renamer;
    RenamePass pass(engine, rows, renamer, window, messages);

    const PassOutcome tested = pass.runAction();
    if (tested.kind != PassOutcome::Kind::tested)
        return exitRefused;
    if (!writeNewNames(rows, out)) {
        write(err, "kibrel-cli: the new names could not be written; nothing was renamed\n");
        return exitRefused;
    }
    // The library refused the pattern, or could not be used, while the names were computed:
    // the names are not what the pattern asks for, and no one is there to look at them before
    // the rename, so nothing is renamed.
    if (tested.libraryFailures > 0)
        return exitRefused;
    if (options.dryRun)
        return tested.rowsWithoutName > 0 ? exitSomeRowFailed : exitAllRenamed;

    const PassOutcome renamed = pass.runAction();
    return renamed.failedRenames + renamed.rowsWithoutName > 0 ? exitSomeRowFailed : exitAllRenamed;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    const CommandLine line = parseCommandLine(args);
    if (line.request == Request::usageError)
        return usageError(line.error, err);
    if (line.request == Request::help)
        return write(out, helpText()) ? exitAllRenamed : exitRefused;

    const unsigned codePage =
        line.options.codePage != 0 ? line.options.codePage : defaultCodePage();
    if (std::string refusal = codePageRefusal(codePage); !refusal.empty())
        return usageError(refusal, err);
    const TableCodePage tableCodePage(codePage);
    CliRows rows;
    if (std::string error;
        line.request == Request::run && !rowsOf(line.options.paths, tableCodePage, rows, error))
        return usageError(toTerminal(error, codePage), err);
    setLibraryCodePage(codePage);
    CliMessages messages(codePage, err);

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
    return runPasses(line.options, tableCodePage, rows, messages, out, err);
}
