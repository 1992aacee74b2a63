#include "SimulatorRun.h"
#include "tests/support/ShellCommand.h"

#include <gtest/gtest.h>

namespace {

// corvane-sim through the shell, with standard input from a file of the workspace.
SimulatorResult runWithInput(
    const E2EWorkspace& workspace, const std::string& arguments, const std::string& input)
{
    return runSimulator({ "-c",
                            "exec " + ShellCommand::quoted(CORVANE_SIM_PATH) + " " + arguments + " < "
                                + ShellCommand::quoted(input) },
        workspace.path(), {}, "sh");
}

TEST(Arguments, ADashReadsStandardInputAndADoubleDashEndsTheOptions)
{
    E2EWorkspace workspace;
    std::string device = ShellCommand::quoted(workspace.deviceRoot());
    std::string lines = workspace.write("lines.txt", "Meet at 7:45, ok?\n");
    SimulatorResult typed = runWithInput(workspace, "type --device " + device + " -", lines);
    ASSERT_EQ(typed.exitStatus, 0) << typed.errors;
    EXPECT_TRUE(typed.output.starts_with("typed 17 characters of 1 lines in ")) << typed.output;
    EXPECT_EQ(typed.output,
        runSimulator({ "type", "--device", workspace.deviceRoot(), lines }, workspace.path()).output);

    workspace.write("-odd-name.txt", "Meet at 7:45, ok?\n");
    SimulatorResult odd = runSimulator(
        { "type", "--device", workspace.deviceRoot(), "--", "-odd-name.txt" }, workspace.path());
    ASSERT_EQ(odd.exitStatus, 0) << odd.errors;
    EXPECT_EQ(odd.output, typed.output);

    std::string script = workspace.write("script.txt", "keyboard\nflick q\nexpect text \"2\"\n");
    SimulatorResult run = runWithInput(workspace, "run --device " + device + " -", script);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.errors, "standard input:3: expected text \"2\", got \"1\"\n");
}

TEST(Arguments, VersionNamesTheCommitTheBuildCameFrom)
{
    E2EWorkspace workspace;
    SimulatorResult version = runSimulator({ "--version" }, workspace.path());
    ASSERT_EQ(version.exitStatus, 0) << version.errors;
    SimulatorResult head = runSimulator(
        { "-C", CORVANE_SOURCE_DIR, "rev-parse", "--short=12", "HEAD" }, workspace.path(), {}, "git");
    if (head.exitStatus != 0)
        GTEST_SKIP() << "the sources are not a git checkout";
    std::string commit = head.output.substr(0, head.output.find('\n'));
    EXPECT_TRUE(version.output.starts_with("corvane-sim 1.0 (commit " + commit)) << version.output;
}

} // namespace
