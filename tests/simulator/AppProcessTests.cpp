#include "simulator/AppProcess.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/socket.h>

namespace {

// A host written in shell: it answers on descriptor 3 as corvane-sim's own
// host mode does, which is all the driver's side relies on.
std::unique_ptr<AppProcess> startShellHost(const std::string& script)
{
    auto host = AppProcess::start("shell", { "/bin/sh", "-c", script }, -1);
    EXPECT_TRUE(host) << host.error().message;
    return host ? host.releaseValue() : nullptr;
}

std::string errorOf(const CommandResult& result)
{
    return result ? "(no error)" : result.error().message;
}

TEST(AppProcess, RepliesCarryOutputAndStatus)
{
    auto host = startShellHost(R"(
        while read -r line <&3; do
            case "$line" in
            print*) printf 'out "two\\nlines"\nout "and \\"quotes\\""\nok\n' >&3 ;;
            expect*) printf 'failed "expected text \\"a\\", got \\"b\\""\n' >&3 ;;
            *) printf 'error "unknown: %s"\n' "$line" >&3 ;;
            esac
        done)");
    ASSERT_TRUE(host);
    CommandResult printed = host->request("print");
    ASSERT_TRUE(printed);
    EXPECT_FALSE(printed.value().unmetExpectation);
    ASSERT_EQ(printed.value().output.size(), 2u);
    EXPECT_EQ(printed.value().output[0], "two\nlines");
    EXPECT_EQ(printed.value().output[1], "and \"quotes\"");

    CommandResult failed = host->request("expect text \"a\"");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed.value().unmetExpectation, "expected text \"a\", got \"b\"");

    EXPECT_EQ(errorOf(host->request("frob")), "unknown: frob");
    host->stop();
    EXPECT_FALSE(host->isRunning());
}

TEST(AppProcess, AHostThatDiesIsReapedAndDescribed)
{
    auto crashing = startShellHost("read -r line <&3; kill -SEGV $$");
    ASSERT_TRUE(crashing);
    pid_t pid = crashing->pid();
    EXPECT_EQ(errorOf(crashing->request("tap q")),
        "the shell app (process " + std::to_string(pid) + ") was ended by signal 11 (Segmentation fault)");
    EXPECT_FALSE(crashing->isRunning());
    // Reaped: the process no longer exists, not even as a zombie.
    EXPECT_EQ(::kill(pid, 0), -1);

    auto exiting = startShellHost("exit 3");
    ASSERT_TRUE(exiting);
    EXPECT_NE(errorOf(exiting->readReply()).find("exited with status 3"), std::string::npos);
}

TEST(AppProcess, GarbageFromAHostIsAnErrorThatQuotesIt)
{
    auto host = startShellHost(R"(read -r line <&3; echo 'segfault at 0x0' >&3; read -r line <&3)");
    ASSERT_TRUE(host);
    EXPECT_EQ(errorOf(host->request("tap q")), "the host answered something unexpected: \"segfault at 0x0\"");
}

// A clock that moves on by a step each time it is read, so that the reply
// limit runs out in a few reads, whatever the machine's speed.
AppProcess::Clock steppingClock(std::chrono::seconds step)
{
    return [step, now = std::chrono::steady_clock::time_point()]() mutable { return now += step; };
}

// The reply limit counts from the host's last sign of life, not from the
// command: a host at work on a long command sends `progress` meanwhile, and
// only one that falls silent for the whole limit is stopped.
TEST(AppProcess, OnlyAHostSilentForTheWholeLimitIsStopped)
{
    auto working = startShellHost(
        R"(read -r line <&3; printf 'progress\nprogress\nout "done"\nprogress\nok\n' >&3; read -r line <&3)");
    ASSERT_TRUE(working);
    // 40 s pass between two reads of the clock: 160 s in all, 40 s between lines.
    working->setClock(steppingClock(std::chrono::seconds(40)));
    CommandResult typed = working->request("type-line \"long\"");
    ASSERT_TRUE(typed) << typed.error().message;
    EXPECT_EQ(typed.value().output, std::vector<std::string> { "done" });

    auto silent = startShellHost("read -r line <&3; read -r line <&3");
    ASSERT_TRUE(silent);
    silent->setClock(steppingClock(std::chrono::seconds(70)));
    EXPECT_EQ(errorOf(silent->request("type-line \"long\"")),
        "the shell app showed no sign of life for 60 seconds and was stopped");
    EXPECT_FALSE(silent->isRunning());
}

TEST(AppProcess, StoppingEndsAHostThatIgnoresQuit)
{
    auto host = startShellHost("trap '' TERM; while true; do sleep 1; done");
    ASSERT_TRUE(host);
    pid_t pid = host->pid();
    host->stop();
    EXPECT_FALSE(host->isRunning());
    EXPECT_EQ(::kill(pid, 0), -1);
}

TEST(AppProcess, AProgramThatCannotStartIsReported)
{
    auto host = AppProcess::start("missing", { "/nonexistent/corvane-host" }, -1);
    ASSERT_TRUE(host);
    std::string error = errorOf(host.value()->readReply());
    EXPECT_NE(error.find("exited with status 127"), std::string::npos) << error;
}

} // namespace
