#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct LaunchOptions {
    // The program file that runs (CreateProcessA's lpApplicationName).
    std::string programPath;
    // The command line exactly as the program is to read it, byte for byte; it may name
    // another program path than the one that runs.
    std::string commandLine;
    // When not empty, the command line in wide characters instead (CreateProcessW), for names
    // that code page 932 cannot hold.
    std::wstring wideCommandLine;
    // The program's current folder; empty keeps the test's own.
    std::string currentFolder;
    // When set, the program's PATH is exactly this value; otherwise it inherits the test's.
    std::optional<std::string> searchPath;
};

// One started program under test. The destructor ends it if it is still running, so that a
// failed test never leaves a process behind.
class ProgramProcess {
  public:
    ProgramProcess() = default;
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts the program; false (with `startError` set) when CreateProcessA fails.
    bool start(const LaunchOptions& options);
    DWORD startError() const { return startError_; }

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return processId_; }
    HANDLE handle() const { return process_; }
    DWORD mainThreadId() const { return threadId_; }

    bool running() const;
    // Waits for the process to end; true when it has.
    bool waitForExit(DWORD timeoutMs) const;
    // The exit code once the process has ended.
    std::optional<DWORD> exitCode() const;
    // Ends the process at once and waits for it.
    void kill();

    // The process's visible top-level windows, in Z order.
    std::vector<HWND> visibleWindows() const;
    // The main window: a visible dialog (#32770) of the process whose title begins "Kibrel".
    HWND findMainWindow() const;
    HWND waitForMainWindow(DWORD timeoutMs) const;
    // A visible dialog of the process that is a message box (see message_box.h).
    HWND findMessageBox() const;
    HWND waitForMessageBox(DWORD timeoutMs) const;

  private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    DWORD startError_ = 0;
};

// The visible top-level windows that belong to process `processId`, in Z order.
std::vector<HWND> visibleTopLevelWindows(DWORD processId);

} // namespace e2e
