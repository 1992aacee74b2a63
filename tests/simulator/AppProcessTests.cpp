#include "simulator/AppProcess.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/socket.h>

namespace {

// A host written in shell: it answers on descriptor 3 as corvane-sim's own
// host mode does, which is all the driver's side relies on.
std::unique_ptr<AppProcess> startShellHost(const std::string& script)
{
    std::string error;
    auto host = AppProcess::start("shell", { "/bin/sh", "-c", script }, -1, error);
    EXPECT_TRUE(host) << error;
    return host;
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
    HostReply printed = host->request("print");
    EXPECT_EQ(printed.status, HostReply::Status::Ok);
    ASSERT_EQ(printed.output.size(), 2u);
    EXPECT_EQ(printed.output[0], "two\nlines");
    EXPECT_EQ(printed.output[1], "and \"quotes\"");

    HostReply failed = host->request("expect text \"a\"");
    EXPECT_EQ(failed.status, HostReply::Status::Failed);
    EXPECT_EQ(failed.message, "expected text \"a\", got \"b\"");

    HostReply error = host->request("frob");
    EXPECT_EQ(error.status, HostReply::Status::Error);
    EXPECT_EQ(error.message, "unknown: frob");
    host->stop();
    EXPECT_FALSE(host->isRunning());
}

TEST(AppProcess, AHostThatDiesIsReapedAndDescribed)
{
    auto crashing = startShellHost("read -r line <&3; kill -SEGV $$");
    ASSERT_TRUE(crashing);
    pid_t pid = crashing->pid();
    HostReply reply = crashing->request("tap q");
    EXPECT_EQ(reply.status, HostReply::Status::Error);
    EXPECT_EQ(reply.message,
        "the shell app (process " + std::to_string(pid) + ") was ended by signal 11 (Segmentation fault)");
    EXPECT_FALSE(crashing->isRunning());
    // Reaped: the process no longer exists, not even as a zombie.
    EXPECT_EQ(::kill(pid, 0), -1);

    auto exiting = startShellHost("exit 3");
    ASSERT_TRUE(exiting);
    EXPECT_NE(exiting->readReply().message.find("exited with status 3"), std::string::npos);
}

TEST(AppProcess, GarbageFromAHostIsAnErrorThatQuotesIt)
{
    auto host = startShellHost(R"(read -r line <&3; echo 'segfault at 0x0' >&3; read -r line <&3)");
    ASSERT_TRUE(host);
    HostReply reply = host->request("tap q");
    EXPECT_EQ(reply.status, HostReply::Status::Error);
    EXPECT_EQ(reply.message, "the host answered something unexpected: \"segfault at 0x0\"");
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
    std::string error;
    auto host = AppProcess::start("missing", { "/nonexistent/corvane-host" }, -1, error);
    ASSERT_TRUE(host);
    HostReply reply = host->readReply();
    EXPECT_EQ(reply.status, HostReply::Status::Error);
    EXPECT_NE(reply.message.find("exited with status 127"), std::string::npos) << reply.message;
}

} // namespace
