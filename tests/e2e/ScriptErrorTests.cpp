#include "SimulatorRun.h"

#include <gtest/gtest.h>

namespace {

TEST(RunScripts, AnUnknownCommandNamesTheFileTheLineAndTheCommands)
{
    E2EWorkspace workspace;
    workspace.write("bad.txt", "# typing test\nkeyboard\ntapp q\n");
    SimulatorResult result
        = runSimulator({ "run", "bad.txt", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.errors.find("bad.txt:3: expected a command (locale, orientation, keyboard,"),
        std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("got \"tapp\""), std::string::npos) << result.errors;
    // Nothing ran: a script that does not parse starts no app.
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

TEST(RunScripts, AMissingQuoteNamesWhereTheStringStarts)
{
    E2EWorkspace workspace;
    workspace.write("quote.txt", "keyboard\ntap q\nexpect text \"q\n");
    SimulatorResult result
        = runSimulator({ "run", "quote.txt", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(
        result.errors.find("quote.txt:3: expected a closing quote for the string that starts at column 13"),
        std::string::npos)
        << result.errors;
    EXPECT_EQ(result.output, "");
}

TEST(RunScripts, AMissingScriptOrDeviceIsAnErrorThatSaysSo)
{
    E2EWorkspace workspace;
    SimulatorResult noScript
        = runSimulator({ "run", "absent.txt", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(noScript.exitStatus, 2);
    EXPECT_NE(noScript.errors.find("cannot read the script (cannot open absent.txt: No such file"),
        std::string::npos)
        << noScript.errors;

    workspace.write("fine.txt", "keyboard\n");
    SimulatorResult noDevice
        = runSimulator({ "run", "fine.txt", "--device", workspace.path() + "/nowhere" }, workspace.path());
    EXPECT_EQ(noDevice.exitStatus, 2);
    EXPECT_NE(noDevice.errors.find("nowhere (from --device) is not a folder"), std::string::npos)
        << noDevice.errors;

    SimulatorResult badOption = runSimulator({ "keys", "--layout", "dvorak" }, workspace.path());
    EXPECT_EQ(badOption.exitStatus, 2);
    EXPECT_NE(badOption.errors.find("expected QWERTY, QWERTZ, AZERTY, German, Spanish, Swedish, Finnish, "
                                    "Danish or Norwegian after --layout, got \"dvorak\""),
        std::string::npos);
}

} // namespace
