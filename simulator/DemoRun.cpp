#include "simulator/DemoRun.h"

#include "simulator/DemoFolder.h"
#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/OutputFile.h"
#include "simulator/ScriptLanguage.h"
#include "simulator/ScriptText.h"
#include "simulator/TemporaryDevice.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const DemoStep allDemoSteps[] = {
    { "Opening the Settings app on the Corvane pane",
        "Opened the Settings app (its own process, the keyboard extension injected by the loader); it shows "
        "the "
        "Corvane pane.",
        "app settings\n"
        "expect screen-text \"on a key on the keyboard to\"\n"
        "expect screen-text \"Test Keyboard\"\n",
        "settings-pane", false },
    { "Tapping the test field",
        "Tapped the \"Test Keyboard\" field: the keyboard came up, each letter key showing its alternate in "
        "small "
        "grey print.",
        "tap-text \"Test Keyboard\"\n", "test-keyboard", false },
    { "Flicking up on \"u\" and holding",
        "Pressed \"u\" and moved 30 points up: the key's pop-up shows its alternate \"7\" (\"Flick up\", "
        "\"Alternate key\").",
        "press u\n"
        "move 0 -10\n"
        "move 0 -20\n"
        "move 0 -30\n",
        "flick-shows-alternate", false },
    { "Typing \"Meet at 7:45, ok?\" with taps and flicks",
        "Lifted the finger (typing \"7\"), then typed the rest: taps for the letters, flicks for \":\", "
        "\"4\", "
        "\"5\", \",\" and \"?\" - no switch to the numbers keyboard.",
        "release\n"
        "clear\n"
        "shift\n"
        "tap M\n"
        "tap e\ntap e\ntap t\ntap space\ntap a\ntap t\ntap space\n"
        "flick u\nflick d\nflick r\nflick t\nflick x\n"
        "tap space\ntap o\ntap k\nflick v\n"
        "expect text \"Meet at 7:45, ok?\"\n",
        "typed-with-flicks", true },
    { "Switching to the Notes app",
        "Switched to the Notes app, a separate process of the same device, and typed with a flick there too.",
        "app notes\n"
        "keyboard\n"
        "shift\ntap H\ntap i\ntap space\nflick q\n"
        "expect text \"Hi 1\"\n",
        "notes-flick", true },
    { "Back in Settings: tapping \"Flick up\" and \"Alternate key\"",
        "Back in Settings, tapped \"Flick up\" (now \"Slide up\") and \"Alternate key\" (now \"Shifted "
        "key\"); each "
        "tap saved the settings file and posted the change notification.",
        "app settings\n"
        "tap-text \"Flick up\"\n"
        "wait 0.2                  # the highlight lingers a tenth of a second\n"
        "expect screen-text \"Slide up\"\n"
        "expect setting gesture=2\n"
        "tap-text \"Alternate key\"\n"
        "wait 0.2\n"
        "expect screen-text \"Shifted key\"\n"
        "expect setting type=1\n",
        "sentence-changed", false },
    { "Typing with a short slide in Settings",
        "The keyboard followed at once: a 7-point slide up now types the shifted key (\"O\" from \"o\").",
        "tap space\nslide o\ntap k\n"
        "expect text \"Meet at 7:45, ok? Ok\"\n",
        "settings-slide-shifted", true },
    { "Back to Notes: its keyboard follows too",
        "In the Notes process the keyboard followed the same notification: a slide up on \"y\" types \"Y\".",
        "app notes\n"
        "tap space\nslide y\ntap e\ntap s\n"
        "expect text \"Hi 1 Yes\"\n",
        "notes-slide-shifted", true },
};

constexpr const char* defaultOutputDirectory = "corvane-demo";
constexpr const char* transcriptName = "transcript.txt";
constexpr const char* scriptName = "demo-script.txt";

std::string twoDigits(int number)
{
    std::ostringstream text;
    text << std::setw(2) << std::setfill('0') << number;
    return text.str();
}

// The screenshots are numbered in the order the steps take them.
std::string screenshotName(int number, const DemoStep& step)
{
    return twoDigits(number) + "-" + step.screenshot + ".png";
}

// Every file the demo writes into its folder.
std::vector<std::string> demoFileNames(std::span<const DemoStep> steps)
{
    std::vector<std::string> names { transcriptName, scriptName };
    int number = 0;
    for (const DemoStep& step : steps) {
        if (step.screenshot)
            names.push_back(screenshotName(++number, step));
    }
    return names;
}

class DemoSession {
public:
    DemoSession(const std::string& deviceRoot, fs::path outputDirectory, std::span<const DemoStep> steps)
        : m_driver(settingsFor(deviceRoot))
        , m_output(std::move(outputDirectory))
        , m_steps(steps)
    {
    }

    int run(const std::string& originalDevice);

private:
    static Driver::Settings settingsFor(const std::string& deviceRoot)
    {
        Driver::Settings settings;
        settings.executable = currentExecutable();
        settings.deviceRoot = deviceRoot;
        settings.firstApp = AppKind::Settings;
        return settings;
    }

    int runSteps(const std::string& originalDevice);
    bool runStep(int number, const DemoStep& step);
    std::string fieldText();

    Driver m_driver;
    fs::path m_output;
    std::span<const DemoStep> m_steps;
    // Kept until the run ends, then written out whole.
    std::ostringstream m_transcript;
    std::ostringstream m_script;
    int m_screenshots { 0 };
};

std::string DemoSession::fieldText()
{
    CommandResult printed = m_driver.execute(command::Print {});
    std::string text;
    for (const std::string& line : printed ? printed.value().output : std::vector<std::string>())
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

bool DemoSession::runStep(int number, const DemoStep& step)
{
    auto started = std::chrono::steady_clock::now();
    std::cout << "  " << number << "/" << m_steps.size() << "  " << step.progress << " ..." << std::flush;

    std::string commands = step.commands;
    std::string screenshot;
    if (step.screenshot) {
        screenshot = screenshotName(++m_screenshots, step);
        commands += "snapshot " + quoteScriptString(screenshot) + "\n";
    }
    auto parsed = parseScript("demo", commands);
    if (!parsed) {
        std::cout << " failed\n";
        std::cerr << "corvane-sim: demo step " << number << ": " << parsed.error().message << '\n';
        m_transcript << "     FAILED: " << parsed.error().message << "\n";
        return false;
    }
    ParsedScript& script = parsed.value();
    m_script << "# " << number << ". " << step.progress << "\n" << commands << "\n";
    m_transcript << number << ". " << step.description << "\n";

    for (ScriptLine line : script.lines) {
        std::string written = writeScriptCommand(line.command);
        m_transcript << "     > " << written << "\n";
        if (auto* snapshot = std::get_if<command::Snapshot>(&line.command))
            snapshot->file = (m_output / snapshot->file).string();
        CommandResult result = m_driver.execute(line.command);
        std::optional<std::string> failure;
        if (!result)
            failure = result.error().message;
        else if (result.value().unmetExpectation)
            failure = result.value().unmetExpectation;
        if (failure) {
            std::cout << " failed\n";
            std::cerr << "corvane-sim: demo step " << number << " (" << written << "): " << *failure << '\n';
            m_transcript << "     FAILED: " << *failure << "\n";
            return false;
        }
    }
    if (step.types)
        m_transcript << "     The field now holds: " << quoteScriptString(fieldText()) << "\n";
    if (!screenshot.empty())
        m_transcript << "     Screenshot: " << screenshot << "\n";
    m_transcript << "\n";

    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << " done (" << std::fixed << std::setprecision(1) << seconds << " s)";
    if (!screenshot.empty())
        std::cout << "  " << screenshot;
    std::cout << std::endl;
    return true;
}

int DemoSession::run(const std::string& originalDevice)
{
    // Both files are started before the run, so a folder they cannot be
    // written to stops it at once; a failed run's transcript says where.
    auto transcript = OutputFile::create((m_output / transcriptName).string());
    auto script = OutputFile::create((m_output / scriptName).string());
    if (!transcript || !script) {
        std::cerr << "corvane-sim: " << (transcript ? script.error() : transcript.error()).message << '\n';
        return 2;
    }
    int status = runSteps(originalDevice);
    for (auto [file, text] :
        { std::pair { &transcript.value(), &m_transcript }, { &script.value(), &m_script } }) {
        auto written = file->append(text->str());
        if (written)
            written = file->commit();
        if (!written) {
            std::cerr << "corvane-sim: " << written.error().message << '\n';
            return 2;
        }
    }
    return status;
}

int DemoSession::runSteps(const std::string& originalDevice)
{
    m_transcript << "Corvane demo: the keyboard extension and the settings pane on a simulated device.\n"
                 << "Device: a fresh copy of " << originalDevice << ", settings at their defaults.\n"
                 << "Screen: 320 x 568 points, screenshots at 2x (640 x 1136 pixels).\n\n";
    m_script << "# The commands the demo ran; replay them with: corvane-sim run demo-script.txt\n"
             << "# (on a device without a settings file, from this folder).\n\n";

    auto started = std::chrono::steady_clock::now();
    int number = 0;
    for (const DemoStep& step : m_steps) {
        if (!runStep(++number, step))
            return 1;
    }
    m_driver.stopAll();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    m_transcript << "Finished in " << std::fixed << std::setprecision(1) << seconds
                 << " s; both app processes ended.\n";
    std::cout << "The demo took " << std::fixed << std::setprecision(1) << seconds << " s. " << m_screenshots
              << " screenshots and the transcript are in "
              << fs::absolute(m_output).lexically_normal().string() << "/\n"
              << "  transcript.txt    what was done and typed, and each screenshot's name\n"
              << "  demo-script.txt   the same steps as a script for corvane-sim run\n";
    if (!std::cout.flush()) {
        std::cerr << "corvane-sim: cannot write the demo's output\n";
        return 2;
    }
    return 0;
}

// Every step's commands parse; else the first that does not, named.
ErrorOr<void> checkDemoSteps(std::span<const DemoStep> steps)
{
    int number = 0;
    for (const DemoStep& step : steps) {
        ++number;
        auto parsed = parseScript("demo", step.commands);
        if (!parsed)
            return Error { "demo step " + std::to_string(number) + " (" + step.progress
                + ") does not parse: " + parsed.error().message };
    }
    return {};
}

} // namespace

std::span<const DemoStep> demoSteps()
{
    return allDemoSteps;
}

int runDemo(const CommandLine& commandLine, const std::string& deviceRoot, std::span<const DemoStep> steps)
{
    if (auto checked = checkDemoSteps(steps); !checked) {
        std::cerr << "corvane-sim: " << checked.error().message << '\n';
        return 2;
    }
    auto folder = DemoFolder::claim(
        commandLine.outputDirectory.value_or(defaultOutputDirectory), demoFileNames(steps));
    if (!folder) {
        std::cerr << "corvane-sim: " << folder.error().message << '\n';
        return 2;
    }

    auto device = TemporaryDevice::copyOf(deviceRoot);
    if (!device) {
        std::cerr << "corvane-sim: " << device.error().message << '\n';
        return 2;
    }
    std::cout << "Corvane demo: Settings and Notes, each in its own process, on a fresh copy of "
              << deviceRoot << '\n';
    DemoSession session(device.value().root(), folder.value().path(), steps);
    int status = session.run(deviceRoot);
    if (auto recorded = folder.value().recordWrittenFiles(); !recorded) {
        std::cerr << "corvane-sim: " << recorded.error().message << '\n';
        return 2;
    }
    return status;
}
