#include "tests/support/ShellCommand.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

ShellCommand ShellCommand::run(const std::string& commandLine)
{
    ShellCommand result;
    std::string withErrors = commandLine + " 2>&1";
    FILE* pipe = ::popen(withErrors.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer {};
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), count);
    int status = ::pclose(pipe);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool ShellCommand::isAvailable(const std::string& program)
{
    return run("command -v " + quoted(program) + " >/dev/null").exitStatus == 0;
}

std::string ShellCommand::quoted(const std::string& argument)
{
    std::string result = "'";
    for (char character : argument) {
        if (character == '\'')
            result += "'\\''";
        else
            result += character;
    }
    return result + "'";
}

std::string sourceTreePath(const std::string& relativePath)
{
    return std::string(CORVANE_SOURCE_DIR) + "/" + relativePath;
}
