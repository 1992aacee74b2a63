#include "platform/foundation/NSLog.h"

#include <gtest/gtest.h>
#include <regex>
#include <unistd.h>

namespace {

TEST(NSLog, WritesOneStampedLinePerCallToStandardError)
{
    testing::internal::CaptureStderr();
    NSLog("***** Corvane Uncaught Exception: %@ *****", { "boom" });
    NSLog("***** %@", { NSString() });
    NSLog("100%% done\n");
    std::string output = testing::internal::GetCapturedStderr();

    std::string process
        = std::string(program_invocation_short_name) + "\\[" + std::to_string(::getpid()) + ":[0-9]+\\]";
    std::string stamp = "[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3} ";
    std::regex expected(stamp + process
        + " \\*\\*\\*\\*\\* Corvane Uncaught Exception: boom \\*\\*\\*\\*\\*\n" + stamp + process
        + " \\*\\*\\*\\*\\* \\(null\\)\n" + stamp + process + " 100% done\n");
    EXPECT_TRUE(std::regex_match(output, expected)) << output;
}

} // namespace
