#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// One line of the recording help engine's log: "load" when the program loaded the engine, or
// "call" with the fields of one call (command, window, file and the record's fields).
struct HelpEngineEvent {
    std::string kind;
    std::map<std::string, std::string> fields;

    // The field's value, or "<missing>".
    std::string operator[](const std::string& name) const;
};

// The HTML Help control's registered location (the default value of its InprocServer32 key
// in the prefix's registry) set to `location` for the life of this object; the former one
// comes back at its end.
class HtmlHelpControlRegistration {
  public:
    explicit HtmlHelpControlRegistration(const std::string& location);
    ~HtmlHelpControlRegistration();
    HtmlHelpControlRegistration(const HtmlHelpControlRegistration&) = delete;
    HtmlHelpControlRegistration& operator=(const HtmlHelpControlRegistration&) = delete;

    bool valid() const { return valid_; }

  private:
    std::optional<std::string> former_;
    bool valid_ = false;
};

// The recording help engine (a DLL of the build whose HtmlHelpA writes every call to a log
// beside it) registered as the HTML Help control for the life of this object.
class RecordingHelpEngine {
  public:
    // Copies the engine `dllName` of the build's bin folder into `folder` and registers it
    // there; `valid` tells whether both worked.
    RecordingHelpEngine(const std::string& folder, const std::string& dllName);

    bool valid() const { return copied_ && registration_ && registration_->valid(); }
    const std::string& path() const { return path_; }

    // What every later call returns: 0 for "nothing shown".
    bool answer(unsigned long long value) const;

    // Everything the engine logged so far, in order.
    std::vector<HelpEngineEvent> events() const;
    std::vector<HelpEngineEvent> calls() const;
    bool loaded() const;
    // Waits until the engine has logged at least `count` calls.
    std::vector<HelpEngineEvent> waitForCalls(std::size_t count, DWORD timeoutMs) const;

  private:
    std::string folder_;
    std::string path_;
    bool copied_ = false;
    std::optional<HtmlHelpControlRegistration> registration_;
};

} // namespace e2e
