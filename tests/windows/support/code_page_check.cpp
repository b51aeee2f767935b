#include <windows.h>

#include <gtest/gtest.h>

namespace {

// The program was made for systems whose ANSI code page is GBK; a run under
// another code page would test something else, so it stops here.
class CodePageCheck : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(GetACP(), 936u) << "run under tools/with-wine.sh (LC_ALL=zh_CN.UTF-8)"; }
};

const auto* const kCodePageCheck = ::testing::AddGlobalTestEnvironment(new CodePageCheck);

}  // namespace
