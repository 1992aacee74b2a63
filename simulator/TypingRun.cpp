#include "simulator/TypingRun.h"

#include "contracts/CorvaneContract.h"
#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/Interruption.h"
#include "simulator/OutputFile.h"
#include "simulator/ScriptText.h"
#include "simulator/TemporaryDevice.h"
#include "simulator/TextLines.h"
#include "simulator/TypingProgress.h"
#include "simulator/typing/TouchTimeModel.h"
#include "simulator/typing/TypedLine.h"
#include "simulator/typing/Typist.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {

std::size_t characterCount(const std::string& text)
{
    std::size_t count = 0;
    for (unsigned char byte : text)
        count += (byte & 0xC0) != 0x80;
    return count;
}

// The settings file the pane would write for the chosen mode and gesture.
command::Settings settingsFor(const TypingOptions& options)
{
    int type = options.corvane == CommandLine::Corvane::Shifted ? contract::shiftedKeyType
                                                                : contract::alternateKeyType;
    int gesture = options.gesture == CommandLine::Gesture::Slide ? contract::slideUpGesture
                                                                 : contract::flickUpGesture;
    return { { { contract::typeKey, type }, { contract::gestureKey, gesture } } };
}

ErrorOr<void> prepareKeyboard(Driver& driver, const TypingOptions& options)
{
    if (options.corvane != CommandLine::Corvane::Off)
        TRY(driver.execute(settingsFor(options)));
    TRY(driver.execute(command::Keyboard { options.keyboardType, options.layout }));
    return {};
}

// Words of five characters a minute, to a tenth.
std::string wordsPerMinute(std::size_t characters, std::int64_t milliseconds)
{
    if (milliseconds <= 0)
        return "-";
    char wpm[32];
    std::snprintf(wpm, sizeof wpm, "%.1f",
        static_cast<double>(characters) / 5 / (static_cast<double>(milliseconds) / 60000));
    return wpm;
}

std::string summary(const TypingTotals& totals)
{
    char kspc[32];
    std::snprintf(kspc, sizeof kspc, "%.3f",
        static_cast<double>(totals.touches) / static_cast<double>(totals.characters));
    return "typed " + std::to_string(totals.characters) + " characters of " + std::to_string(totals.lines)
        + " lines in " + std::to_string(totals.touches) + " touches: KSPC " + kspc + ", predicted "
        + wordsPerMinute(totals.characters, totals.milliseconds.at(0)) + " wpm ("
        + std::to_string(totals.skipped) + " lines skipped)";
}

// "sensitivity: fittsSlope -50% 63.1 wpm, +50% 44.0 wpm", one line per
// coefficient, in the order of sensitivityModels().
std::string sensitivity(const TypingTotals& totals)
{
    std::string lines;
    for (std::size_t index = 0; index < nominalTimeCoefficients.size(); ++index) {
        lines += "sensitivity: " + std::string(nominalTimeCoefficients[index].name) + " -50% "
            + wordsPerMinute(totals.characters, totals.milliseconds.at(1 + 2 * index)) + " wpm, +50% "
            + wordsPerMinute(totals.characters, totals.milliseconds.at(2 + 2 * index)) + " wpm\n";
    }
    return lines;
}

// Touches per character mean nothing without characters: an empty text, or
// one whose every line was skipped, says so instead.
std::string nothingTyped(const TypingTotals& totals)
{
    if (totals.lines == 0)
        return "nothing was typed: the text is empty";
    if (totals.skipped == totals.lines)
        return "nothing was typed: all " + std::to_string(totals.lines) + " lines were skipped";
    if (totals.skipped == 0)
        return "nothing was typed: all " + std::to_string(totals.lines) + " lines are empty";
    return "nothing was typed: " + std::to_string(totals.skipped) + " of " + std::to_string(totals.lines)
        + " lines were skipped, the others are empty";
}

TypingProgress::Style progressStyle(const TypingOptions& options)
{
    if (options.quiet)
        return TypingProgress::Style::Quiet;
    return ::isatty(STDERR_FILENO) ? TypingProgress::Style::Terminal : TypingProgress::Style::Lines;
}

// One run over the text, from the first line to the totals.
class TypingSession {
public:
    TypingSession(const TypingOptions& options, const std::string& deviceRoot)
        : m_options(options)
        , m_driver(driverSettings(options, deviceRoot))
        , m_progress(std::cerr, progressStyle(options))
    {
    }

    int run(std::istream& text, std::optional<OutputFile>& skippedFile);

private:
    static Driver::Settings driverSettings(const TypingOptions& options, const std::string& deviceRoot)
    {
        Driver::Settings settings;
        settings.executable = currentExecutable();
        settings.deviceRoot = deviceRoot;
        settings.locale = options.locale;
        settings.injectsLibraries = options.corvane != CommandLine::Corvane::Off;
        return settings;
    }

    // The exit status of a run that has to stop, with why on standard error.
    int stop(int status, const std::string& message)
    {
        if (Interruption::signal()) {
            m_progress.say(Interruption::description());
            return Interruption::exitStatus();
        }
        m_progress.say(message);
        return status;
    }
    // 0 when the line is done with, else the exit status.
    int typeLine(const std::string& line, std::optional<OutputFile>& skippedFile);

    const TypingOptions& m_options;
    Driver m_driver;
    TypingProgress m_progress;
    TypingTotals m_totals;
};

int TypingSession::typeLine(const std::string& line, std::optional<OutputFile>& skippedFile)
{
    // An empty line takes no touch; the app need not hear of it.
    if (line.empty())
        return 0;
    std::string number = "line " + std::to_string(m_totals.lines);
    CommandResult answer = m_driver.execute(
        command::TypeLine { line, m_options.rolled, m_options.start, m_options.cost, m_options.sensitivity });
    ErrorOr<TypedLine> typed = answer ? TypedLine::fromReply(answer.value().output) : answer.error();
    if (!typed)
        return stop(2, number + ": " + typed.error().message);
    if (typed.value().result == TypedLine::Result::Untypable) {
        ++m_totals.skipped;
        std::string skipped = number + " skipped: no key types " + describeCharacter(typed.value().detail);
        if (!skippedFile) {
            m_progress.say(skipped);
        } else if (auto listed = skippedFile->append(skipped + "\n"); !listed) {
            return stop(2, listed.error().message);
        }
        return 0;
    }
    if (typed.value().result == TypedLine::Result::Astray || typed.value().fieldText != line) {
        return stop(1,
            number + " came out as " + quoteScriptString(typed.value().fieldText) + " instead of "
                + quoteScriptString(line) + " after " + std::to_string(typed.value().touches) + " touches"
                + (typed.value().detail.empty() ? "" : ": " + typed.value().detail));
    }
    const std::vector<std::int64_t>& times = typed.value().milliseconds;
    if (times.size() != m_totals.milliseconds.size())
        return stop(2,
            number + ": the host timed the line with " + std::to_string(times.size()) + " models, not "
                + std::to_string(m_totals.milliseconds.size()));
    m_totals.characters += characterCount(line);
    m_totals.touches += typed.value().touches;
    for (std::size_t model = 0; model < times.size(); ++model)
        m_totals.milliseconds[model] += times[model];
    return 0;
}

int TypingSession::run(std::istream& text, std::optional<OutputFile>& skippedFile)
{
    if (auto prepared = prepareKeyboard(m_driver, m_options); !prepared)
        return stop(2, prepared.error().message);
    m_totals.milliseconds.assign(m_options.sensitivity ? sensitivityModels().size() : 1, 0);

    TextLines lines(text, Typist::longestText);
    while (true) {
        auto line = lines.next();
        if (Interruption::signal())
            return stop(2, Interruption::description());
        if (!line)
            return stop(2, line.error().message);
        if (!line.value())
            break;
        ++m_totals.lines;
        if (int status = typeLine(*line.value(), skippedFile))
            return status;
        m_progress.lineDone(m_totals);
    }
    m_progress.finish();
    if (skippedFile) {
        if (auto listed = skippedFile->commit(); !listed)
            return stop(2, listed.error().message);
    }
    if (m_options.sensitivity && m_totals.characters)
        std::cout << sensitivity(m_totals);
    std::cout << (m_totals.characters ? summary(m_totals) : nothingTyped(m_totals)) << std::endl;
    if (!std::cout)
        return stop(2, "cannot write the result");
    return m_totals.characters ? 0 : 1;
}

} // namespace

TypingOptions TypingOptions::from(const CommandLine& commandLine)
{
    TypingOptions options;
    options.locale = commandLine.locale;
    options.keyboardType = commandLine.keyboardType;
    options.layout = commandLine.layout;
    options.corvane = commandLine.corvane;
    options.gesture = commandLine.gesture;
    options.rolled = commandLine.rolled;
    options.start = commandLine.lineStart;
    options.cost = commandLine.cost;
    options.sensitivity = commandLine.sensitivity;
    options.quiet = commandLine.quiet;
    options.skippedFile = commandLine.skippedFile;
    return options;
}

int typeText(const TypingOptions& options, std::istream& text, const std::string& deviceRoot)
{
    // Refused before anything starts when it cannot be written.
    std::optional<OutputFile> skippedFile;
    if (options.skippedFile) {
        auto created = OutputFile::create(*options.skippedFile);
        if (!created) {
            std::cerr << "corvane-sim: " << created.error().message << '\n';
            return 2;
        }
        skippedFile.emplace(created.releaseValue());
    }
    // The settings are the run's own: it works on a copy of the device, so
    // the device's settings file is neither read nor written.
    auto copy = TemporaryDevice::copyOf(deviceRoot);
    if (!copy) {
        std::cerr << "corvane-sim: " << copy.error().message << '\n';
        return 2;
    }
    TypingSession session(options, copy.value().root());
    return session.run(text, skippedFile);
}
