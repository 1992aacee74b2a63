#include "simulator/TypingRun.h"

#include "platform/foundation/FileIO.h"
#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/ScriptText.h"
#include "simulator/StandardInput.h"
#include "simulator/TemporaryDevice.h"
#include "simulator/typing/TypedLine.h"

#include <cstdio>
#include <iostream>

namespace {

constexpr std::size_t largestTextFile = 256 * 1024 * 1024;
// Progress comes every this many lines, so that it depends on nothing but the file.
constexpr std::size_t linesPerProgressReport = 250;

struct TypingTotals {
    std::size_t characters { 0 };
    std::size_t touches { 0 };
    std::size_t skipped { 0 };
};

std::size_t characterCount(const std::string& text)
{
    std::size_t count = 0;
    for (unsigned char byte : text)
        count += (byte & 0xC0) != 0x80;
    return count;
}

// The settings file the pane would write for the chosen mode and gesture.
command::Settings settingsFor(const CommandLine& commandLine)
{
    int type = commandLine.corvane == CommandLine::Corvane::Shifted ? 1 : 2;
    int gesture = commandLine.gesture == CommandLine::Gesture::Slide ? 2 : 1;
    return { type, gesture };
}

ErrorOr<void> prepareKeyboard(Driver& driver, const CommandLine& commandLine)
{
    if (commandLine.corvane != CommandLine::Corvane::Off)
        TRY(driver.execute(settingsFor(commandLine)));
    TRY(driver.execute(command::Keyboard { commandLine.keyboardType, commandLine.layout }));
    return {};
}

std::string summary(std::size_t lineCount, const TypingTotals& totals)
{
    double perCharacter = totals.characters
        ? static_cast<double>(totals.touches) / static_cast<double>(totals.characters)
        : 0;
    char kspc[32];
    std::snprintf(kspc, sizeof kspc, "%.3f", perCharacter);
    return "typed " + std::to_string(totals.characters) + " characters of " + std::to_string(lineCount)
        + " lines in " + std::to_string(totals.touches) + " touches: KSPC " + kspc + " ("
        + std::to_string(totals.skipped) + " lines skipped)";
}

void reportProgress(std::size_t done, std::size_t lineCount, const TypingTotals& totals)
{
    std::cerr << "corvane-sim: line " << done << " of " << lineCount << ": " << totals.characters
              << " characters in " << totals.touches << " touches, " << totals.skipped << " lines skipped"
              << std::endl;
}

int typeOnDevice(
    const CommandLine& commandLine, const std::vector<std::string>& lines, const std::string& deviceRoot)
{
    Driver::Settings settings;
    settings.executable = currentExecutable();
    settings.deviceRoot = deviceRoot;
    settings.locale = commandLine.locale;
    settings.injectsLibraries = commandLine.corvane != CommandLine::Corvane::Off;
    Driver driver(settings);
    if (auto prepared = prepareKeyboard(driver, commandLine); !prepared) {
        std::cerr << "corvane-sim: " << prepared.error().message << '\n';
        return 2;
    }

    TypingTotals totals;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        CommandResult answer = driver.execute(command::TypeLine { line, commandLine.rolled });
        ErrorOr<TypedLine> typed = answer ? TypedLine::fromReply(answer.value().output) : answer.error();
        if (!typed) {
            std::cerr << "corvane-sim: line " << index + 1 << ": " << typed.error().message << '\n';
            return 2;
        }
        if (typed.value().result == TypedLine::Result::Untypable) {
            ++totals.skipped;
        } else if (typed.value().result == TypedLine::Result::Astray || typed.value().fieldText != line) {
            std::cerr << "corvane-sim: line " << index + 1 << " came out as "
                      << quoteScriptString(typed.value().fieldText) << " instead of "
                      << quoteScriptString(line) << " after " << typed.value().touches << " touches"
                      << (typed.value().detail.empty() ? "" : ": " + typed.value().detail) << '\n';
            return 1;
        } else {
            totals.characters += characterCount(line);
            totals.touches += typed.value().touches;
        }
        if ((index + 1) % linesPerProgressReport == 0 && index + 1 < lines.size())
            reportProgress(index + 1, lines.size(), totals);
    }
    std::cout << summary(lines.size(), totals) << std::endl;
    if (!std::cout) {
        std::cerr << "corvane-sim: cannot write the result\n";
        return 2;
    }
    return 0;
}

} // namespace

std::vector<std::string> linesOfText(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string::npos ? text.size() : end + 1;
        std::size_t length = (end == std::string::npos ? text.size() : end) - start;
        if (end != std::string::npos && length && text[end - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        start = next;
    }
    return lines;
}

ErrorOr<std::string> readTextFile(const std::string& path)
{
    auto text = path == standardInputName ? readStandardInput(largestTextFile)
                                          : FileIO::readRegularFile(path, largestTextFile);
    if (!text)
        return Error { "cannot read the text to type (" + escapeControlCharacters(text.error().message)
            + ")" };
    return text.releaseValue();
}

int typeLines(
    const CommandLine& commandLine, const std::vector<std::string>& lines, const std::string& deviceRoot)
{
    // The settings are the run's own: it works on a copy of the device, so
    // the device's settings file is neither read nor written.
    auto copy = TemporaryDevice::copyOf(deviceRoot);
    if (!copy) {
        std::cerr << "corvane-sim: " << copy.error().message << '\n';
        return 2;
    }
    return typeOnDevice(commandLine, lines, copy.value().root());
}
