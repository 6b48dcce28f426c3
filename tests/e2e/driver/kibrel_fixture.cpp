#include "kibrel_fixture.h"

#include "settings_key.h"
#include "wait.h"

namespace e2e {

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
