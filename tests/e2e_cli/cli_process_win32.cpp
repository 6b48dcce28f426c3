#include "cli_process.h"

#include <windows.h>

#include <atomic>

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

std::string programFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
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
    Capture() {
        static std::atomic<int> counter{0};
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        name_ = std::string(folder) + "kibrel-cli-capture-" +
                std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        handle_ = CreateFileA(name_.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
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

  private:
    std::string name_;
    HANDLE handle_;
};

} // namespace

std::string builtCli() {
    return programFolder() + "kibrel-cli.exe";
}

CliResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingFolder) {
    std::wstring commandLine = quoted(wideOf(program, CP_ACP));
    for (const std::string& arg : args)
        commandLine += L" " + quoted(wideOf(arg, CP_ACP));

    Capture out;
    Capture err;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = out.handle();
    startup.hStdError = err.handle();
    PROCESS_INFORMATION process{};
    std::wstring folder = wideOf(workingFolder, CP_ACP);
    CliResult result;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return result;
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
