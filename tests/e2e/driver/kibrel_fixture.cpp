#include "kibrel_fixture.h"

#include "settings_key.h"
#include "wait.h"

namespace e2e {
namespace {

std::string windowsFolder() {
    char folder[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder, length < MAX_PATH ? length : 0);
}

} // namespace

void KibrelFixture::SetUp() {
    ASSERT_TRUE(folder_.valid()) << "no temporary folder could be made";
    ASSERT_TRUE(removeSettings()) << "the settings key could not be removed";
}

void KibrelFixture::TearDown() {
    program_.kill();
    removeSettings();
}

std::string KibrelFixture::quotedProgram(const std::string& programPath) {
    return '"' + programPath + '"';
}

testing::AssertionResult KibrelFixture::start(const std::string& commandLine,
                                              const std::string& programPath) {
    if (GetFileAttributesA(programPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        return testing::AssertionFailure() << "no program at " << programPath;
    LaunchOptions options;
    options.programPath = programPath;
    options.commandLine = commandLine;
    options.currentFolder = folder_.path();
    if (!program_.start(options))
        return testing::AssertionFailure() << "CreateProcessA failed with error "
                                           << program_.startError() << " for " << programPath;
    return testing::AssertionSuccess();
}

testing::AssertionResult KibrelFixture::startWithoutLibrary() {
    if (!folder_.copyFileIn(kibrelPath(), "kibrel.exe"))
        return testing::AssertionFailure() << "kibrel.exe could not be copied";
    const std::string windows = windowsFolder();
    if (windows.empty())
        return testing::AssertionFailure() << "no Windows folder";
    const std::string systemPath = windows + "\\system32;" + windows;
    const std::string searched = folder_.path() + ";" + systemPath + ";" + windows + "\\system";
    char found[MAX_PATH + 1] = {};
    if (SearchPathA(searched.c_str(), "jre32.dll", nullptr, MAX_PATH, found, nullptr) != 0)
        return testing::AssertionFailure()
               << "a jre32.dll lies where the program would find it: " << found;
    LaunchOptions options;
    options.programPath = folder_.pathOf("kibrel.exe");
    options.commandLine = quotedProgram(options.programPath);
    options.currentFolder = folder_.path();
    options.searchPath = systemPath;
    if (!program_.start(options))
        return testing::AssertionFailure() << "CreateProcessA failed: " << program_.startError();
    return testing::AssertionSuccess();
}

testing::AssertionResult KibrelFixture::start(const std::wstring& commandLine) {
    LaunchOptions options;
    options.programPath = kibrelPath();
    options.wideCommandLine = commandLine;
    options.currentFolder = folder_.path();
    if (!program_.start(options))
        return testing::AssertionFailure()
               << "CreateProcessW failed with error " << program_.startError();
    return testing::AssertionSuccess();
}

HWND KibrelFixture::startMainWindow(const std::string& commandLine) {
    if (testing::AssertionResult started = start(commandLine); !started) {
        ADD_FAILURE() << started.message();
        return nullptr;
    }
    const HWND window = program_.waitForMainWindow(defaultTimeoutMs);
    if (window == nullptr)
        ADD_FAILURE() << "the main window did not appear within " << defaultTimeoutMs << " ms"
                      << (program_.running() ? "" : " (the program ended)");
    return window;
}

} // namespace e2e
