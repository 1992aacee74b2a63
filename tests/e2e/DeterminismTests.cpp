#include "SimulatorRun.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A child process that keeps one core busy for as long as the object lives.
class CpuBurner {
public:
    CpuBurner()
        : m_pid(::fork())
    {
        if (m_pid == 0) {
            volatile unsigned long spins = 0;
            while (true)
                spins = spins + 1;
        }
    }
    ~CpuBurner()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    CpuBurner(const CpuBurner&) = delete;
    CpuBurner& operator=(const CpuBurner&) = delete;

private:
    pid_t m_pid;
};

// Two apps, each in a process of its own: the pane's toggles are posted to
// the Notes keyboard, often enough to overflow its socket's queue; pop-ups,
// timers on the virtual clock, and screenshots of both apps.
constexpr const char* script = "app notes\n"
                               "keyboard\n"
                               "flick q\n"
                               "print\n"
                               "app settings\n"
                               "tap-text \"Flick up\"\n"
                               "tap-text \"Slide up\"\n"
                               "tap-text \"Flick up\"\n"
                               "tap-text \"Slide up\"\n"
                               "tap-text \"Flick up\"\n"
                               "tap-text \"Slide up\"\n"
                               "tap-text \"Flick up\"\n"
                               "tap-text \"Slide up\"\n"
                               "tap-text \"Flick up\"\n"
                               "tap-text \"Slide up\"\n"
                               "tap-text \"Flick up\"\n"
                               "tap-text \"Alternate key\"\n"
                               "snapshot settings.png\n"
                               "wait 0.2\n"
                               "tap-text \"Test Keyboard\"\n"
                               "slide w\n"
                               "print\n"
                               "app notes\n"
                               "slide e\n"
                               "print\n"
                               "press r\n"
                               "move 0 -30\n"
                               "snapshot popup.png\n"
                               "release\n"
                               "press delete\n"
                               "wait 0.6\n"
                               "release\n"
                               "snapshot notes.png\n"
                               "print\n";

constexpr const char* screenshots[] = { "settings.png", "popup.png", "notes.png" };

struct ScriptRun {
    SimulatorResult result;
    std::vector<std::string> pictures;
};

ScriptRun runOnAFreshDevice()
{
    E2EWorkspace workspace;
    ScriptRun run { workspace.runScript(script), {} };
    for (const char* name : screenshots)
        run.pictures.push_back(workspace.read(name));
    return run;
}

// Nothing a script sees may depend on the machine's speed: the same script
// gives the same output and the same screenshots, byte for byte, on a quiet
// machine and on one whose cores are busy with something else.
TEST(Determinism, AScriptGivesTheSameOutputAndScreenshotsUnderAnyLoad)
{
    ScriptRun quiet = runOnAFreshDevice();
    ASSERT_EQ(quiet.result.exitStatus, 0) << quiet.result.errors;
    EXPECT_EQ(quiet.result.output, "1\nW\n1E\n1\n");
    EXPECT_EQ(quiet.result.errors, "");
    for (const std::string& picture : quiet.pictures)
        EXPECT_GT(picture.size(), 1000u);

    for (int burners = 1; burners <= 2; ++burners) {
        std::vector<std::unique_ptr<CpuBurner>> load;
        for (int index = 0; index < burners; ++index)
            load.push_back(std::make_unique<CpuBurner>());
        ScriptRun busy = runOnAFreshDevice();
        EXPECT_EQ(busy.result.exitStatus, quiet.result.exitStatus) << busy.result.errors;
        EXPECT_EQ(busy.result.output, quiet.result.output) << burners << " busy cores";
        EXPECT_EQ(busy.result.errors, quiet.result.errors) << burners << " busy cores";
        for (std::size_t index = 0; index < std::size(screenshots); ++index)
            EXPECT_TRUE(busy.pictures[index] == quiet.pictures[index])
                << screenshots[index] << " differs with " << burners << " busy cores";
    }
}

} // namespace
