#include "app/program/guarded_run.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "tests/native/support/fakes.h"

namespace vantry {
namespace {

TEST(GuardedRun, AnEscapingExceptionIsToldAndEndsWithAFailureCode) {
    test::RecordingDialogs dialogs;
    EXPECT_EQ(RunReportingFailure(dialogs, [] { return 0; }), 0);
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_NE(RunReportingFailure(dialogs, []() -> int { throw std::bad_alloc(); }), 0);
    EXPECT_NE(RunReportingFailure(dialogs, []() -> int { throw std::runtime_error("odd"); }), 0);
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_NE(dialogs.errors[0].find("out of memory"), std::string::npos);
    EXPECT_NE(dialogs.errors[1].find("odd"), std::string::npos);
}

}  // namespace
}  // namespace vantry
