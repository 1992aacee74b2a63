#include "simulator/CommandLine.h"

#include "simulator/ScriptText.h"
#include "simulator/typing/Typist.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>
#include <set>

namespace {

std::optional<int> readInteger(const std::string& text)
{
    int number = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return number;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char character) { return static_cast<char>(std::toupper(character)); });
    return text;
}

using OptionHandler = std::function<ErrorOr<void>(CommandLine&, const std::string&)>;

Error expectedAfter(std::string_view what, std::string_view option, const std::string& value)
{
    return Error { "expected " + std::string(what) + " after " + std::string(option) + ", got "
        + quoteScriptString(value) };
}

// An option that keeps its value as it is.
template <auto member> OptionHandler keep()
{
    return [](CommandLine& line, const std::string& value) -> ErrorOr<void> {
        line.*member = value;
        return {};
    };
}

const std::map<std::string, OptionHandler>& keysOptions()
{
    static const std::map<std::string, OptionHandler> options = {
        { "--locale", keep<&CommandLine::locale>() },
        { "--keyboard-type",
            [](CommandLine& line, const std::string& value) -> ErrorOr<void> {
                auto type = readInteger(value);
                if (!type || *type < 0)
                    return expectedAfter("a keyboard type number", "--keyboard-type", value);
                line.keyboardType = *type;
                return {};
            } },
        { "--layout",
            [](CommandLine& line, const std::string& value) -> ErrorOr<void> {
                for (auto layout : { KeyboardLetterLayout::QWERTY, KeyboardLetterLayout::QWERTZ,
                         KeyboardLetterLayout::AZERTY }) {
                    if (upper(value) == letterLayoutName(layout)) {
                        line.layout = layout;
                        return {};
                    }
                }
                return expectedAfter("QWERTY, QWERTZ or AZERTY", "--layout", value);
            } },
        { "--keyplane", keep<&CommandLine::keyplane>() },
        { "--orientation",
            [](CommandLine& line, const std::string& value) -> ErrorOr<void> {
                auto orientation = orientationFromWord(value);
                if (!orientation)
                    return expectedAfter("portrait or landscape", "--orientation", value);
                line.orientation = *orientation;
                return {};
            } },
        { "--type-mode",
            [](CommandLine& line, const std::string& value) -> ErrorOr<void> {
                auto mode = readInteger(value);
                if (!mode || (*mode != 1 && *mode != 2))
                    return expectedAfter("1 (Shifted key) or 2 (Alternate key)", "--type-mode", value);
                line.typeMode = *mode;
                return {};
            } },
        { "--png", keep<&CommandLine::pngFile>() },
    };
    return options;
}

const std::map<std::string, OptionHandler>& demoOptions()
{
    static const std::map<std::string, OptionHandler> options = {
        { "--out", keep<&CommandLine::outputDirectory>() },
    };
    return options;
}

const std::map<std::string, OptionHandler>& interactiveOptions()
{
    static const std::map<std::string, OptionHandler> options = {
        { "--locale", keysOptions().at("--locale") },
        { "--orientation", keysOptions().at("--orientation") },
        { "--replay", keep<&CommandLine::replayFile>() },
    };
    return options;
}

// A value out of a few words, kept in the command line.
template <auto member, typename Value>
OptionHandler choice(std::string_view option, std::string_view what, std::map<std::string, Value> words)
{
    return [option, what, words = std::move(words)](
               CommandLine& line, const std::string& value) -> ErrorOr<void> {
        auto found = words.find(value);
        if (found == words.end())
            return expectedAfter(what, option, value);
        line.*member = found->second;
        return {};
    };
}

const std::map<std::string, OptionHandler>& typeOptions()
{
    using Corvane = CommandLine::Corvane;
    using Gesture = CommandLine::Gesture;
    static const std::map<std::string, OptionHandler> options = {
        { "--locale", keysOptions().at("--locale") },
        { "--layout", keysOptions().at("--layout") },
        { "--keyboard-type", keysOptions().at("--keyboard-type") },
        { "--corvane",
            choice<&CommandLine::corvane>("--corvane", "off, alternate or shifted",
                std::map<std::string, Corvane> { { "off", Corvane::Off }, { "alternate", Corvane::Alternate },
                    { "shifted", Corvane::Shifted } }) },
        { "--gesture",
            choice<&CommandLine::gesture>("--gesture", "flick or slide",
                std::map<std::string, Gesture> {
                    { "flick", Gesture::Flick }, { "slide", Gesture::Slide } }) },
        { "--skipped", keep<&CommandLine::skippedFile>() },
    };
    return options;
}

const std::map<std::string, OptionHandler>& noOptions()
{
    static const std::map<std::string, OptionHandler> options;
    return options;
}

// Options that take no value.
const std::map<std::string, bool CommandLine::*>& flagsFor(CommandLine::Mode mode)
{
    static const std::map<std::string, bool CommandLine::*> typeFlags
        = { { "--roll", &CommandLine::rolled }, { "--quiet", &CommandLine::quiet } };
    static const std::map<std::string, bool CommandLine::*> none;
    return mode == CommandLine::Mode::Type ? typeFlags : none;
}

std::string optionList(CommandLine::Mode mode, const std::map<std::string, OptionHandler>& options)
{
    std::set<std::string> names { "--device" };
    for (const auto& entry : options)
        names.insert(entry.first);
    for (const auto& entry : flagsFor(mode))
        names.insert(entry.first);
    std::string list = "--device";
    for (const std::string& name : names)
        list += name == "--device" ? "" : ", " + name;
    return list;
}

const std::map<std::string, CommandLine::Mode>& modes()
{
    static const std::map<std::string, CommandLine::Mode> table = {
        { "keys", CommandLine::Mode::Keys },
        { "run", CommandLine::Mode::Run },
        { "demo", CommandLine::Mode::Demo },
        { "interactive", CommandLine::Mode::Interactive },
        { "type", CommandLine::Mode::Type },
        { "help", CommandLine::Mode::Help },
    };
    return table;
}

const std::map<std::string, OptionHandler>& optionsFor(CommandLine::Mode mode)
{
    switch (mode) {
    case CommandLine::Mode::Keys:
        return keysOptions();
    case CommandLine::Mode::Demo:
        return demoOptions();
    case CommandLine::Mode::Interactive:
        return interactiveOptions();
    case CommandLine::Mode::Type:
        return typeOptions();
    default:
        return noOptions();
    }
}

ErrorOr<void> readArguments(const std::vector<std::string>& arguments, CommandLine& line)
{
    std::optional<std::string> command;
    std::vector<std::string> positional;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        std::string argument = arguments[index];
        if (argument == "--help" || argument == "-h") {
            line.mode = CommandLine::Mode::Help;
            return {};
        }
        if (argument == "--version") {
            line.mode = CommandLine::Mode::Version;
            return {};
        }
        if (argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            if (!command) {
                auto mode = modes().find(argument);
                if (mode == modes().end())
                    return Error { "expected a command (keys, run, demo, interactive, type), got "
                        + quoteScriptString(argument) };
                command = argument;
                line.mode = mode->second;
            } else {
                positional.push_back(argument);
            }
            continue;
        }
        if (auto flag = flagsFor(line.mode).find(argument); flag != flagsFor(line.mode).end()) {
            line.*(flag->second) = true;
            continue;
        }
        std::optional<std::string> value;
        if (auto equals = argument.find('='); equals != std::string::npos) {
            value = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        const auto& options = optionsFor(line.mode);
        auto handler = options.find(argument);
        if (argument != "--device" && handler == options.end()) {
            std::string context = command ? "for " + *command : "before the command";
            return Error { "unknown option " + escapeControlCharacters(argument) + " " + context
                + "; expected one of " + optionList(line.mode, options) };
        }
        if (!value) {
            if (index + 1 == arguments.size())
                return Error { "expected a value after " + argument };
            value = arguments[++index];
        }
        if (argument == "--device")
            line.deviceRoot = *value;
        else
            TRY(handler->second(line, *value));
    }

    if (!command) {
        line.mode = CommandLine::Mode::Help;
        return {};
    }
    if (line.mode == CommandLine::Mode::Run) {
        if (positional.size() != 1)
            return Error { "expected one script file after run, as in: corvane-sim run SCRIPT" };
        line.scriptFile = positional[0];
    } else if (line.mode == CommandLine::Mode::Type) {
        if (positional.size() != 1)
            return Error { "expected one text file after type, as in: corvane-sim type FILE" };
        line.textFile = positional[0];
    } else if (!positional.empty()) {
        return Error { "expected no further arguments after " + *command + ", got "
            + quoteScriptString(positional[0]) };
    }
    return {};
}

} // namespace

ErrorOr<CommandLine> parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    TRY(readArguments(arguments, line));
    return line;
}

std::string usageText()
{
    return R"usage(corvane-sim: runs the Corvane keyboard extension and settings pane on a simulated device.

  corvane-sim demo [--out DIR]
      Boots a device, opens Settings on the Corvane pane, types with taps and flicks,
      changes the settings, and writes numbered screenshots and a transcript to DIR.
  corvane-sim interactive [--locale ID] [--orientation portrait|landscape]
      A window with the simulated phone; the mouse is your finger. Keys: R rotates,
      Tab switches between Settings and Notes, L changes the locale, K the keyboard
      type, S saves a screenshot, Esc or Q quits.
  corvane-sim run SCRIPT
      Runs a script, one command per line (see the README for the commands).
  corvane-sim keys [--locale ID] [--keyboard-type N] [--layout QWERTY|QWERTZ|AZERTY]
                   [--keyplane NAME] [--orientation portrait|landscape] [--type-mode 1|2] [--png FILE]
      Lists the keys of a keyplane with their alternates, tab-separated (an empty field:
      none). Without --layout the keyboard follows the locale.
  corvane-sim type [--locale ID] [--layout L] [--keyboard-type N]
                   [--corvane off|alternate|shifted] [--gesture flick|slide] [--roll]
                   [--quiet] [--skipped LIST] FILE
      Types FILE (- for standard input) line by line, as it reads it, into the test app's
      emptied field with the fewest touches, checks each line, and ends with "typed C
      characters of L lines in T touches: KSPC K.KKK (S lines skipped)". A line may hold
      at most )usage"
        + std::to_string(Typist::longestText)
        + R"usage( bytes. A line with a character the keyboard cannot type is skipped
      and listed with the first such character on standard error, or in LIST. A byte-order
      mark at the start and a carriage return ending a line are not typed. --corvane off:
      the platform keyboard alone (default alternate, with flick). --roll: each key goes
      down before the one before it comes up, as two thumbs type. Progress goes to
      standard error (--quiet: none). Exit status 1: a line came out wrong, or nothing
      was typed.

Every command takes --device DIR: the device root to boot (else $CORVANE_DEVICE_ROOT,
else the build's own device folder). An empty folder is laid out from the build's
package (cmake --build BUILD --target package). Exit status: 0 success, 1 a failed
expect, 2 an error, 128 + N when signal N (Ctrl-C, SIGTERM) stopped the command, which
then ends its apps and removes its temporary device first.
)usage";
}
