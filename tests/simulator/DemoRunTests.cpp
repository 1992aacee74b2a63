#include "simulator/DemoRun.h"
#include "tests/support/TemporaryDeviceRoot.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

// A typo in a later step would otherwise drop that step's commands and still
// end with "done": the demo refuses before it runs a step or writes a file.
TEST(DemoRun, AStepThatDoesNotParseFailsTheDemoBeforeAnythingRuns)
{
    TemporaryDeviceRoot root;
    const DemoStep steps[] = {
        { "Typing", "Typed.", "app notes\ntap q\n", nullptr, true },
        { "Flicking", "Flicked.", "app notes\nflick\n", nullptr, true },
    };
    CommandLine commandLine;
    std::string output = root.path() + "/demo-output";
    commandLine.outputDirectory = output;

    testing::internal::CaptureStderr();
    int status = runDemo(commandLine, root.path(), steps);
    std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(status, 2);
    EXPECT_NE(errors.find("demo step 2 (Flicking) does not parse: demo:2: expected a key"), std::string::npos)
        << errors;
    EXPECT_FALSE(std::filesystem::exists(output));
}

} // namespace
