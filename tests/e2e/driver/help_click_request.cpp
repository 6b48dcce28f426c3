#include "help_click_request.h"

#include "help_click.h"
#include "remote_buffer.h"
#include "test_paths.h"
#include "wait.h"

#include <psapi.h>

#include <string>
#include <vector>

namespace e2e {

namespace {

constexpr const char* clickLibrary = "help_click.dll";

// Runs `start(parameter)` as a thread of the program and waits for it; false when it cannot
// be started or does not end in time.
bool runRemoteThread(HANDLE process, LPTHREAD_START_ROUTINE start, void* parameter) {
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr);
    if (thread == nullptr)
        return false;
    const bool ended = WaitForSingleObject(thread, defaultTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return ended;
}

// Where the program has the module `path` loaded, or null.
HMODULE remoteModule(HANDLE process, const std::string& path) {
    std::vector<HMODULE> modules(256);
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules.data(),
                            static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed))
        return nullptr;
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
        char name[MAX_PATH + 1] = {};
        const DWORD length = GetModuleFileNameExA(process, module, name, MAX_PATH);
        if (length > 0 && _stricmp(name, path.c_str()) == 0)
            return module;
    }
    return nullptr;
}

// The program's address of help_click.dll's clickForHelp, loading the library into the
// program first if it is not there yet.
LPTHREAD_START_ROUTINE remoteClickEntry(HANDLE process, HWND window) {
    const std::string path = programFolder() + clickLibrary;
    HMODULE remote = remoteModule(process, path);
    if (remote == nullptr) {
        RemoteBuffer name(window, path.size() + 1);
        const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
        if (!name.write(path.c_str(), path.size() + 1) ||
            !runRemoteThread(process, loadLibrary, name.address()))
            return nullptr;
        remote = remoteModule(process, path);
    }
    HMODULE local = LoadLibraryA(path.c_str());
    if (remote == nullptr || local == nullptr)
        return nullptr;
    const auto entry = reinterpret_cast<const char*>(GetProcAddress(local, "clickForHelp"));
    if (entry == nullptr)
        return nullptr;
    const auto offset = entry - reinterpret_cast<const char*>(local);
    return reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<ULONG_PTR>(remote) +
                                                    static_cast<ULONG_PTR>(offset));
}

} // namespace

bool clickForHelp(const ProgramProcess& program, HWND window, HWND item, POINT at) {
    const LPTHREAD_START_ROUTINE entry = remoteClickEntry(program.handle(), window);
    if (entry == nullptr)
        return false;
    const HelpClick click{window, item, GetDlgCtrlID(item), at};
    RemoteBuffer parameter(window, sizeof click);
    return parameter.write(&click, sizeof click) &&
           runRemoteThread(program.handle(), entry, parameter.address());
}

} // namespace e2e
