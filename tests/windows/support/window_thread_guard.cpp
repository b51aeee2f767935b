#include <gtest/gtest.h>

#include <string>

#include "platform/window_thread.h"

namespace {

// The window's thread never waits for a disk: a file-system call made there
// fails the test that made it.
void FailTheTest(std::string_view call) {
    ADD_FAILURE() << "the window's thread called the file system: " << std::string(call);
}

class WindowThreadGuard : public ::testing::Environment {
public:
    void SetUp() override { quillory::window_thread::ReportCallsThrough(FailTheTest); }
};

const auto* const kWindowThreadGuard = ::testing::AddGlobalTestEnvironment(new WindowThreadGuard);

}  // namespace
