#include "SimulatorRun.h"

#include "platform/graphics/CGImage.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// In the child: the program on the given standard streams, in the working folder.
[[noreturn]] void execProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory,
    const std::vector<std::string>& environment, const std::string& program, int input, int output,
    int errors)
{
    if (::chdir(workingDirectory.c_str()) != 0)
        ::_exit(126);
    ::dup2(input, STDIN_FILENO);
    ::dup2(output, STDOUT_FILENO);
    ::dup2(errors, STDERR_FILENO);
    // In sanitizer builds the simulator's processes end with what the
    // display and X libraries they load keep for the process; those are
    // not ours to free, so leak reports must not change its exit status.
    std::string sanitizerOptions = std::string(getenv("ASAN_OPTIONS") ? getenv("ASAN_OPTIONS") : "");
    sanitizerOptions += sanitizerOptions.empty() ? "detect_leaks=0" : ":detect_leaks=0";
    ::setenv("ASAN_OPTIONS", sanitizerOptions.c_str(), 1);
    for (const std::string& assignment : environment)
        ::putenv(const_cast<char*>(assignment.c_str()));
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

SimulatorResult runProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory,
    const std::vector<std::string>& environment, const std::string& program, const std::string& outputPath)
{
    std::string errorPath = workingDirectory + "/.stderr";
    pid_t pid = ::fork();
    if (pid == 0) {
        int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int errors = ::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int input = ::open("/dev/null", O_RDONLY);
        execProgram(arguments, workingDirectory, environment, program, input, output, errors);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    SimulatorResult result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.errors = readAll(errorPath);
    fs::remove(errorPath);
    return result;
}

} // namespace

SimulatorResult runSimulator(const std::vector<std::string>& arguments, const std::string& workingDirectory,
    const std::vector<std::string>& environment, const std::string& program)
{
    std::string outputPath = workingDirectory + "/.stdout";
    SimulatorResult result = runProgram(arguments, workingDirectory, environment, program, outputPath);
    result.output = readAll(outputPath);
    fs::remove(outputPath);
    return result;
}

SimulatorResult runSimulatorWithOutputTo(const std::string& standardOutput,
    const std::vector<std::string>& arguments, const std::string& workingDirectory)
{
    return runProgram(arguments, workingDirectory, {}, CORVANE_SIM_PATH, standardOutput);
}

RunningSimulator::RunningSimulator(const std::vector<std::string>& arguments,
    const std::string& workingDirectory, const std::vector<std::string>& environment)
{
    int input[2];
    int errors[2];
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(errors, O_CLOEXEC) != 0)
        std::abort();
    m_pid = ::fork();
    if (m_pid == 0) {
        int output = ::open("/dev/null", O_WRONLY);
        execProgram(arguments, workingDirectory, environment, CORVANE_SIM_PATH, input[0], output, errors[1]);
    }
    ::close(input[0]);
    ::close(errors[1]);
    m_input = input[1];
    m_errorOutput = errors[0];
}

RunningSimulator::~RunningSimulator()
{
    closeInput();
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    ::close(m_errorOutput);
}

void RunningSimulator::write(const std::string& text)
{
    std::size_t written = 0;
    while (m_input >= 0 && written < text.size()) {
        ssize_t count = ::write(m_input, text.data() + written, text.size() - written);
        if (count <= 0)
            return;
        written += static_cast<std::size_t>(count);
    }
}

void RunningSimulator::closeInput()
{
    if (m_input >= 0)
        ::close(m_input);
    m_input = -1;
}

bool RunningSimulator::waitForErrors(const std::string& text)
{
    // The timeout only ends a test that has failed.
    constexpr int patience = 120'000;
    while (m_errors.find(text) == std::string::npos) {
        pollfd entry { m_errorOutput, POLLIN, 0 };
        if (::poll(&entry, 1, patience) <= 0)
            return false;
        char chunk[4096];
        ssize_t count = ::read(m_errorOutput, chunk, sizeof chunk);
        if (count <= 0)
            return false;
        m_errors.append(chunk, static_cast<std::size_t>(count));
    }
    return true;
}

void RunningSimulator::signal(int number)
{
    ::kill(m_pid, number);
}

int RunningSimulator::wait()
{
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

E2EWorkspace::E2EWorkspace()
{
    std::string pattern = (fs::temp_directory_path() / "corvane-e2e-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data()))
        std::abort();
    m_path = name.data();
    // A fresh device root: the deliverables as the build lays them out, and
    // nothing a run has left there (settings, the sockets of live processes).
    fs::create_directories(deviceRoot());
    fs::path from = CORVANE_BUILD_DEVICE_ROOT "/Library";
    for (auto entry = fs::recursive_directory_iterator(from); entry != fs::recursive_directory_iterator();
         ++entry) {
        fs::path target = fs::path(deviceRoot()) / "Library" / fs::relative(entry->path(), from);
        if (entry->is_directory())
            fs::create_directories(target);
        else if (entry->is_regular_file())
            fs::copy_file(entry->path(), target);
    }
}

E2EWorkspace::~E2EWorkspace()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

SimulatorResult E2EWorkspace::runScript(const std::string& script) const
{
    write("script.txt", script);
    return runSimulator({ "run", "script.txt", "--device", deviceRoot() }, path());
}

std::string E2EWorkspace::write(const std::string& name, const std::string& content) const
{
    std::string path = m_path + "/" + name;
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string E2EWorkspace::read(const std::string& name) const
{
    return readAll(m_path + "/" + name);
}

bool E2EWorkspace::exists(const std::string& name) const
{
    return fs::exists(m_path + "/" + name);
}

std::vector<int> runningSimulatorProcesses(const std::string& mention)
{
    std::vector<int> found;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string commandLine = readAll(entry.path().string() + "/cmdline");
        std::replace(commandLine.begin(), commandLine.end(), '\0', ' ');
        if (commandLine.find("corvane-sim") != std::string::npos
            && commandLine.find(mention) != std::string::npos)
            found.push_back(std::stoi(name));
    }
    return found;
}

std::pair<int, int> screenshotSize(const std::string& path)
{
    CGImageRef image = CGImageCreateWithPNGFile(path);
    return { static_cast<int>(CGImageGetWidth(image)), static_cast<int>(CGImageGetHeight(image)) };
}

int differingPixels(const std::string& first, const std::string& second)
{
    return differingPixels(
        first, second, 0, 0, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

int differingPixels(const std::string& first, const std::string& second, int x, int y, int width, int height)
{
    CGImageRef a = CGImageCreateWithPNGFile(first);
    CGImageRef b = CGImageCreateWithPNGFile(second);
    if (!a || !b || CGImageGetWidth(a) != CGImageGetWidth(b) || CGImageGetHeight(a) != CGImageGetHeight(b))
        return -1;
    // The rectangle's part that lies within the images.
    auto span = [](int from, int extent, std::size_t size) {
        auto limit = static_cast<long long>(size);
        return std::pair { static_cast<std::size_t>(std::clamp<long long>(from, 0, limit)),
            static_cast<std::size_t>(
                std::clamp<long long>(static_cast<long long>(from) + extent, 0, limit)) };
    };
    auto [left, right] = span(x, width, CGImageGetWidth(a));
    auto [top, bottom] = span(y, height, CGImageGetHeight(a));
    int differing = 0;
    for (std::size_t row = top; row < bottom; ++row) {
        for (std::size_t column = left; column < right; ++column)
            differing += CGImageGetPixel(a, column, row) != CGImageGetPixel(b, column, row);
    }
    return differing;
}
