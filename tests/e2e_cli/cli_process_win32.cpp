#include "cli_process.h"
#include "program_folder.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::wstring wideOf(std::string_view text, unsigned codePage) {
    if (text.empty())
        return {};
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// One argument as the C runtime of the child splits its command line: in double quotes when
// it is empty or holds a blank or a quote; a quote and the backslashes right before a quote or
// the closing quote are escaped with a backslash. Walked by wide characters, so that the second
// byte 0x5C of a double-byte character is no backslash.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    out += L'"';
    return out;
}

// A temporary file that takes one of the child's standard streams, read back and removed.
class Capture {
  public:
    explicit Capture(const std::string& contents = {}) {
        static std::atomic<int> counter{0};
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        name_ = std::string(folder) + "kibrel-cli-capture-" +
                std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        handle_ = CreateFileA(name_.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
        DWORD written = 0;
        valid_ = handle_ != INVALID_HANDLE_VALUE &&
                 (contents.empty() ||
                  (WriteFile(handle_, contents.data(), static_cast<DWORD>(contents.size()),
                             &written, nullptr) &&
                   written == contents.size()));
        SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    }
    ~Capture() {
        CloseHandle(handle_);
        DeleteFileA(name_.c_str());
    }
    HANDLE handle() const { return handle_; }
    std::string contents() const {
        std::string text;
        SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
        char buffer[65536];
        DWORD n = 0;
        while (ReadFile(handle_, buffer, sizeof buffer, &n, nullptr) && n > 0)
            text.append(buffer, n);
        return text;
    }

    bool valid() const { return valid_; }

  private:
    std::string name_;
    HANDLE handle_;
    bool valid_ = false;
};

// This process's environment with LOCALAPPDATA set to the folder given, as a block for
// CreateProcessW.
std::wstring environmentWith(const std::string& localAppData) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry != nullptr && *entry != L'\0';
         entry += wcslen(entry) + 1) {
        if (_wcsnicmp(entry, L"LOCALAPPDATA=", 13) != 0) {
            block += entry;
            block += L'\0';
        }
    }
    FreeEnvironmentStringsW(strings);
    block += L"LOCALAPPDATA=" + wideOf(localAppData, CP_ACP);
    block += L'\0';
    return block;
}

void removeFolder(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeFolder(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void removeTestStateFolder() {
    removeFolder(testStateFolder());
}

} // namespace

std::string builtCli() {
    return programFolder() + "kibrel-cli.exe";
}

// Made on first use and removed when the program ends; never destroyed before that removal.
std::string testStateFolder() {
    static const std::string* folder = [] {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const auto* made = new std::string(std::string(temp) + "kibrel-cli-state-" +
                                           std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(made->c_str(), nullptr);
        std::atexit(removeTestStateFolder);
        return made;
    }();
    return *folder;
}

CliResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const RunSetting& setting) {
    std::wstring commandLine = quoted(wideOf(program, CP_ACP));
    for (const std::string& arg : args)
        commandLine += L" " + quoted(wideOf(arg, setting.utf8Arguments ? CP_UTF8 : CP_ACP));

    CliResult result;
    Capture in(setting.input);
    Capture out;
    Capture err;
    if (!in.valid() || !out.valid() || !err.valid()) {
        result.err = "the test could not make the files of the child's streams: error " +
                     std::to_string(GetLastError());
        return result;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.handle();
    startup.hStdOutput = out.handle();
    startup.hStdError = err.handle();
    PROCESS_INFORMATION process{};
    std::wstring folder = wideOf(setting.workingFolder, CP_ACP);
    std::wstring environment =
        environmentWith(setting.stateFolder.empty() ? testStateFolder() : setting.stateFolder);
    // Wine may fail to start a process while the machine is short of room; such a failure is
    // the test's, not the program's, and a later try may start it.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0)
            Sleep(200);
        started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                 CREATE_UNICODE_ENVIRONMENT, environment.data(),
                                 folder.empty() ? nullptr : folder.c_str(), &startup, &process);
    }
    if (!started) {
        result.err =
            "the test could not start " + program + ": error " + std::to_string(GetLastError());
        return result;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.status = static_cast<int>(status);
    result.out = out.contents();
    result.err = err.contents();
    return result;
}

std::string onTerminal(std::string_view utf8) {
    std::wstring wide = wideOf(utf8, CP_UTF8);
    if (wide.empty())
        return {};
    int n = WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr,
                        nullptr);
    return text;
}
