#include "program_process.h"

#include "message_box.h"
#include "wait.h"
#include "window_query.h"

#include <cstring>

namespace e2e {

namespace {

// The test's environment block with PATH replaced by `path`, as CreateProcessA takes it.
std::vector<char> environmentWithPath(const std::string& path) {
    std::vector<char> block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; entry != nullptr && *entry != '\0';
         entry += std::strlen(entry) + 1) {
        if (_strnicmp(entry, "PATH=", 5) == 0)
            continue;
        block.insert(block.end(), entry, entry + std::strlen(entry) + 1);
    }
    if (strings != nullptr)
        FreeEnvironmentStringsA(strings);
    const std::string pathEntry = "PATH=" + path;
    block.insert(block.end(), pathEntry.begin(), pathEntry.end());
    block.push_back('\0');
    block.push_back('\0');
    return block;
}

struct WindowsOfProcess {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowsOfProcess*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        search->windows.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> visibleTopLevelWindows(DWORD processId) {
    WindowsOfProcess search{processId, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

ProgramProcess::~ProgramProcess() {
    kill();
    if (process_ != nullptr)
        CloseHandle(process_);
}

bool ProgramProcess::start(const LaunchOptions& options) {
    std::vector<char> commandLine(options.commandLine.begin(), options.commandLine.end());
    commandLine.push_back('\0');
    std::vector<char> environment;
    if (options.searchPath)
        environment = environmentWithPath(*options.searchPath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    BOOL ok = FALSE;
    if (options.wideCommandLine.empty()) {
        ok = CreateProcessA(options.programPath.c_str(), commandLine.data(), nullptr, nullptr,
                            FALSE, 0, environment.empty() ? nullptr : environment.data(),
                            options.currentFolder.empty() ? nullptr : options.currentFolder.c_str(),
                            &startup, &info);
    } else {
        // The ANSI environment block and paths, as CreateProcessA takes them, made wide.
        auto widened = [](const char* text, std::size_t length) {
            const int units =
                MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
            std::wstring out(static_cast<std::size_t>(units), L'\0');
            MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), out.data(), units);
            return out;
        };
        const std::wstring program =
            widened(options.programPath.c_str(), options.programPath.size());
        const std::wstring folder =
            widened(options.currentFolder.c_str(), options.currentFolder.size());
        std::wstring wideEnvironment = widened(environment.data(), environment.size());
        std::wstring wideLine = options.wideCommandLine;
        STARTUPINFOW wideStartup{};
        wideStartup.cb = sizeof wideStartup;
        ok = CreateProcessW(program.c_str(), wideLine.data(), nullptr, nullptr, FALSE,
                            CREATE_UNICODE_ENVIRONMENT,
                            environment.empty() ? nullptr : wideEnvironment.data(),
                            folder.empty() ? nullptr : folder.c_str(), &wideStartup, &info);
    }
    if (!ok) {
        startError_ = GetLastError();
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    threadId_ = info.dwThreadId;
    return true;
}

bool ProgramProcess::running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ProgramProcess::waitForExit(DWORD timeoutMs) const {
    return process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> ProgramProcess::exitCode() const {
    DWORD code = 0;
    if (process_ == nullptr || running() || !GetExitCodeProcess(process_, &code))
        return std::nullopt;
    return code;
}

void ProgramProcess::kill() {
    if (running()) {
        TerminateProcess(process_, 0xDEAD);
        WaitForSingleObject(process_, defaultTimeoutMs);
    }
}

std::vector<HWND> ProgramProcess::visibleWindows() const {
    return process_ == nullptr ? std::vector<HWND>{} : visibleTopLevelWindows(processId_);
}

HWND ProgramProcess::findMainWindow() const {
    for (HWND window : visibleWindows()) {
        if (windowClass(window) == "#32770" && windowText(window).starts_with("Kibrel"))
            return window;
    }
    return nullptr;
}

HWND ProgramProcess::waitForMainWindow(DWORD timeoutMs) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = findMainWindow()) != nullptr || !running(); }, timeoutMs);
    return found;
}

HWND ProgramProcess::findMessageBox() const {
    for (HWND window : visibleWindows()) {
        if (isMessageBox(window))
            return window;
    }
    return nullptr;
}

HWND ProgramProcess::waitForMessageBox(DWORD timeoutMs) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = findMessageBox()) != nullptr || !running(); }, timeoutMs);
    return found;
}

} // namespace e2e
