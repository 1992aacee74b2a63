#pragma once

#include <string>

// Runs a command line through the shell and collects what it printed
// (standard output and standard error together).
struct ShellCommand {
    int exitStatus { -1 };
    std::string output;

    static ShellCommand run(const std::string& commandLine);
    static bool isAvailable(const std::string& program);
    // Quotes one argument for the shell.
    static std::string quoted(const std::string& argument);
};

// A file of the source tree, for tests that drive helper scripts.
std::string sourceTreePath(const std::string& relativePath);
