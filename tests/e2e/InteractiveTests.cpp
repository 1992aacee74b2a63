#include "SimulatorRun.h"

#include <gtest/gtest.h>

namespace {

TEST(Interactive, WithoutADisplayItSaysWhatToDoInsteadOfCrashing)
{
    E2EWorkspace workspace;
    SimulatorResult result = runSimulator({ "interactive", "--device", workspace.deviceRoot() },
        workspace.path(), { "DISPLAY=", "WAYLAND_DISPLAY=" });
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.errors.find("interactive needs a display, and none was found"), std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("xvfb-run -a corvane-sim interactive"), std::string::npos);
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

} // namespace
