#include "help_engine.h"

#include "test_paths.h"
#include "wait.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace e2e {

namespace {

// Classes registered for the whole machine: Wine's HKEY_CLASSES_ROOT shows these only, not
// the current user's.
constexpr const char* controlKey =
    "Software\\Classes\\CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr const char* recorderMark = "recording_engine";

std::string systemControlPath() {
    char folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length < MAX_PATH ? length : 0) + "\\hhctrl.ocx";
}

HelpEngineEvent parseLine(const std::string& line) {
    HelpEngineEvent event;
    std::istringstream fields(line);
    std::getline(fields, event.kind, '\t');
    for (std::string part; std::getline(fields, part, '\t');) {
        const std::size_t equals = part.find('=');
        if (equals != std::string::npos)
            event.fields[part.substr(0, equals)] = part.substr(equals + 1);
    }
    return event;
}

std::optional<std::string> registeredLocation() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, controlKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    const LONG read =
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::string(value);
}

bool registerLocation(const std::string& location) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, controlKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG written =
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(location.c_str()),
                       static_cast<DWORD>(location.size() + 1));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

// The registration that a test is to give back: the one it found, unless that is one that a
// test which did not end left behind (a recorder, or a file that is not there), in which case
// the system's own control.
std::optional<std::string> registrationToRestore() {
    std::optional<std::string> found = registeredLocation();
    if (found && (found->find(recorderMark) != std::string::npos ||
                  GetFileAttributesA(found->c_str()) == INVALID_FILE_ATTRIBUTES))
        return systemControlPath();
    return found;
}

} // namespace

std::string HelpEngineEvent::operator[](const std::string& name) const {
    const auto found = fields.find(name);
    return found == fields.end() ? "<missing>" : found->second;
}

HtmlHelpControlRegistration::HtmlHelpControlRegistration(const std::string& location)
    : former_(registrationToRestore()), valid_(registerLocation(location)) {}

HtmlHelpControlRegistration::~HtmlHelpControlRegistration() {
    if (former_)
        registerLocation(*former_);
}

RecordingHelpEngine::RecordingHelpEngine(const std::string& folder, const std::string& dllName)
    : folder_(folder), path_(folder + dllName) {
    copied_ = CopyFileA((programFolder() + dllName).c_str(), path_.c_str(), FALSE) != 0;
    if (copied_)
        registration_.emplace(path_);
}

bool RecordingHelpEngine::answer(unsigned long long value) const {
    std::ofstream file(folder_ + "help-engine-answer.txt", std::ios::binary | std::ios::trunc);
    file << value;
    return static_cast<bool>(file);
}

std::vector<HelpEngineEvent> RecordingHelpEngine::events() const {
    std::vector<HelpEngineEvent> events;
    std::ifstream log(folder_ + "help-engine.log", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()};
    // A line that the engine is still writing has no line feed yet and is left for later.
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        events.push_back(parseLine(text.substr(start, end - start)));
    return events;
}

std::vector<HelpEngineEvent> RecordingHelpEngine::calls() const {
    std::vector<HelpEngineEvent> calls;
    for (HelpEngineEvent& event : events()) {
        if (event.kind == "call")
            calls.push_back(std::move(event));
    }
    return calls;
}

bool RecordingHelpEngine::loaded() const {
    for (const HelpEngineEvent& event : events()) {
        if (event.kind == "load")
            return true;
    }
    return false;
}

std::vector<HelpEngineEvent> RecordingHelpEngine::waitForCalls(std::size_t count,
                                                               DWORD timeoutMs) const {
    std::vector<HelpEngineEvent> found;
    waitUntil([&] { return (found = calls()).size() >= count; }, timeoutMs);
    return found;
}

} // namespace e2e
