#pragma once

#include <string>
#include <utility>
#include <vector>

// corvane-sim run the way a person runs it: as a program, with a command
// line, in a working folder, with its output and exit status read back.
struct SimulatorResult {
    int exitStatus { -1 };
    std::string output;
    std::string errors;
};

// The program is corvane-sim unless another is named (a wrapper such as
// xvfb-run, found on the PATH, with corvane-sim among its arguments).
SimulatorResult runSimulator(const std::vector<std::string>& arguments, const std::string& workingDirectory,
    const std::vector<std::string>& environment = {}, const std::string& program = CORVANE_SIM_PATH);

// corvane-sim with its standard output going to a file of the caller's
// choice (such as /dev/full), which is not read back.
SimulatorResult runSimulatorWithOutputTo(const std::string& standardOutput,
    const std::vector<std::string>& arguments, const std::string& workingDirectory);

// corvane-sim running in the background, for a test that acts while it runs:
// fed on its standard input, its standard error read as it comes, its
// standard output dropped.
class RunningSimulator {
public:
    RunningSimulator(const std::vector<std::string>& arguments, const std::string& workingDirectory,
        const std::vector<std::string>& environment = {});
    // One still running is killed.
    ~RunningSimulator();
    RunningSimulator(const RunningSimulator&) = delete;
    RunningSimulator& operator=(const RunningSimulator&) = delete;

    void write(const std::string& text);
    void closeInput();
    // Reads standard error until it holds the text; false when the program
    // closed it first.
    bool waitForErrors(const std::string& text);
    const std::string& errors() const { return m_errors; }
    void signal(int number);
    // The exit status; -1 when a signal ended the program.
    int wait();

private:
    int m_pid { -1 };
    int m_input { -1 };
    int m_errorOutput { -1 };
    std::string m_errors;
};

// A fresh folder for one test, removed afterwards; a device root copied from
// the build's, and a place for scripts and screenshots.
class E2EWorkspace {
public:
    E2EWorkspace();
    ~E2EWorkspace();
    E2EWorkspace(const E2EWorkspace&) = delete;
    E2EWorkspace& operator=(const E2EWorkspace&) = delete;

    const std::string& path() const { return m_path; }
    std::string deviceRoot() const { return m_path + "/device"; }
    // Writes a file in the workspace and answers its path.
    std::string write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Writes the script as script.txt and runs it on this workspace's device.
    SimulatorResult runScript(const std::string& script) const;

private:
    std::string m_path;
};

// A PNG's width and height in pixels; (0, 0) when it cannot be read.
std::pair<int, int> screenshotSize(const std::string& path);
// How many pixels differ between two PNGs of one size (-1 when they cannot be
// compared), over the whole images or within a rectangle of pixels.
int differingPixels(const std::string& first, const std::string& second);
int differingPixels(const std::string& first, const std::string& second, int x, int y, int width, int height);

// Corvane-sim processes still alive whose command line mentions this text.
std::vector<int> runningSimulatorProcesses(const std::string& mention);
