#include "simulator/CommandLine.h"

#include "platform/keyboard/KeyboardLetterLayout.h"
#include "simulator/KeyboardTypeNumber.h"
#include "simulator/NearestWord.h"
#include "simulator/PngWriter.h"
#include "simulator/ScriptCommand.h"
#include "simulator/ScriptReference.h"
#include "simulator/ScriptText.h"
#include "simulator/typing/TouchTimeModel.h"
#include "simulator/typing/Typist.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <map>
#include <sstream>

namespace {

constexpr const char* programName = "corvane-sim";
constexpr const char* scriptTopic = "script";

const char* const exitStatusNote
    = "Exit status: 0 success, 1 a failed expect, a line that came out wrong or nothing "
      "typed,\n2 an error, 128 + N when signal N (Ctrl-C, SIGTERM) stopped the command, "
      "which then\nends its apps and removes its temporary device first.";

// What follows an option, kept as the person wrote it until every option is
// read, so that each is checked with a message of our own.
struct GivenValues {
    std::string keyboardType;
    std::string layout;
    std::string orientation;
    std::string typeMode;
    std::string corvane;
    std::string gesture;
    std::string cost;
    std::string scale;
    std::string deviceRoot;
    std::string keyplane;
    std::string pngFile;
    std::string outputDirectory;
    std::string replayFile;
    std::string skippedFile;
    std::string lineStart;
    bool carriesState { false };
    std::vector<std::string> helpTopic;
};

// One line per coefficient of the time model: name, value, unit and source.
std::string timeCoefficientTable()
{
    std::string table;
    for (const TimeCoefficient& coefficient : nominalTimeCoefficients) {
        std::ostringstream value;
        value << coefficient.value;
        table += "  " + std::string(coefficient.name) + " " + value.str()
            + (coefficient.unit.empty() ? "" : " " + std::string(coefficient.unit)) + " ("
            + std::string(coefficient.source) + ")\n";
    }
    return table;
}

Error expectedAfter(std::string_view what, std::string_view option, std::string_view value)
{
    return Error { "expected " + std::string(what) + " after " + std::string(option) + ", got "
        + quoteScriptString(value) };
}

// The names of options and commands are ours; what a person typed is echoed escaped.
std::string listOf(const std::vector<std::string>& words)
{
    std::string list;
    for (const std::string& word : words)
        list += (list.empty() ? "" : ", ") + word;
    return list;
}

class CommandLineReader {
public:
    CommandLineReader();
    ErrorOr<CommandLine> read(const std::vector<std::string>& arguments);

private:
    CLI::App* addCommand(
        CommandLine::Mode mode, const char* name, const char* description, std::string footer);
    CLI::Option* addValue(CLI::App* command, const char* name, std::string& value, const char* typeName,
        const std::string& description);
    void addDevice(CLI::App* command);
    void addLocale(CLI::App* command);
    void addOrientation(CLI::App* command);
    void addKeyboardChoice(CLI::App* command);

    CLI::App* chosenCommand() const;
    std::string helpFor(const CLI::App* command) const;
    std::string helpForTopic(const std::string& topic) const;
    Error explain(const CLI::ParseError& error, const std::vector<std::string>& arguments) const;
    ErrorOr<void> checkLeftovers(const std::vector<std::string>& arguments) const;
    CommandLine::Mode modeOf(const CLI::App* command) const;
    Error unknownOption(const std::string& leftover, const std::vector<std::string>& arguments) const;
    Error unknownCommand(const std::string& word) const;
    ErrorOr<void> convertValues();
    bool wasGiven(const char* option) const;

    CLI::App m_app;
    // In the order the help lists them.
    std::vector<std::pair<const CLI::App*, CommandLine::Mode>> m_modes;
    CommandLine m_line;
    GivenValues m_given;
    bool m_versionWanted { false };
};

CommandLineReader::CommandLineReader()
    : m_app("corvane-sim runs the Corvane keyboard extension and its settings pane on a simulated device.",
        programName)
{
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("SUBCOMMAND", "COMMAND");
    formatter->label("REQUIRED", "");
    formatter->column_width(34);
    m_app.formatter(formatter);
    m_app.require_subcommand(0, 1);
    // Options of the whole program (--device) may follow the command too.
    m_app.fallthrough();
    // Unknown words are collected, not refused outright, so that the message can say what was meant.
    m_app.allow_extras();
    m_app.set_help_flag("-h,--help", "Print this help and exit");
    m_app.add_flag("--version", m_versionWanted, "Print the version and the commit it was built from")
        ->disable_flag_override();
    addDevice(&m_app);
    m_app.footer(
        std::string("Every command takes --device DIR: the device root to boot, else $CORVANE_DEVICE_ROOT,\n"
                    "else the build's own device folder. An empty folder is laid out from the build's\n"
                    "package; the demo and type work on a copy of it.\n"
                    "corvane-sim help COMMAND (or corvane-sim COMMAND --help) tells about one command;\n"
                    "corvane-sim help script lists the script language.\n")
        + exitStatusNote);

    CLI::App* demo = addCommand(CommandLine::Mode::Demo, "demo",
        "Shows the keyboard and the settings pane at work",
        "On a fresh copy of the device it opens Settings on the Corvane pane, types with taps and flicks,\n"
        "changes both settings, and shows that the keyboard of a separate Notes process follows. It writes\n"
        "numbered screenshots, transcript.txt and demo-script.txt (the steps for corvane-sim run) into DIR,\n"
        "which may be new, empty, or a folder an earlier demo wrote: the demo replaces only the files it\n"
        "wrote there, and refuses any other folder.");
    addValue(demo, "--out", m_given.outputDirectory, "DIR", "Where the pictures go (corvane-demo)");

    CLI::App* interactive = addCommand(CommandLine::Mode::Interactive, "interactive",
        "A window with the phone; the mouse is your finger",
        "Holding the right button keeps a second finger down where it was pressed.\n"
        "Keys: R rotates, Tab switches between Settings and Notes, L changes the locale, K the keyboard "
        "type,\nB goes back, P prints the text typed so far, S saves corvane-sim-screenshot-N.png (the next "
        "free N),\nEsc or Q quits. The window can be resized; the phone is drawn sharp at every size.\n"
        "Without a display, run it under a virtual one: xvfb-run -a corvane-sim interactive\n"
        "--replay FILE plays window events instead of a person's, one per line: click X Y, press X Y,\n"
        "drag X Y, release X Y, right-press X Y, right-release X Y (X Y in the phone's points), key NAME\n"
        "(as SDL names keys: Tab, r), pause SECONDS, resize W H (pixels), window-snapshot FILE.png, quit.");
    addLocale(interactive);
    addOrientation(interactive);
    addValue(
        interactive, "--scale", m_given.scale, "S", "Window pixels per point (else the largest that fits)");
    addValue(interactive, "--replay", m_given.replayFile, "FILE", "Play the window events in FILE instead");

    CLI::App* run = addCommand(CommandLine::Mode::Run, "run",
        "Runs a script on the device root (it may change its settings)", scriptLanguageReference());
    run->add_option("SCRIPT", m_line.scriptFile, "The script: a file, or - for standard input")
        ->required()
        ->type_name("");

    CLI::App* keys
        = addCommand(CommandLine::Mode::Keys, "keys", "Lists a keyplane's keys and their alternates",
            "One line per key of the keyplane after the extension augmented it, four tab-separated fields:\n"
            "name, represented string, alternate and shift-locked alternate (an empty field: none).\n"
            "Without --layout the keyboard follows the locale, as in any app. It only looks: the device\n"
            "root is left as it was, and --type-mode applies to the listing alone.");
    addLocale(keys);
    addKeyboardChoice(keys);
    addValue(keys, "--keyplane", m_given.keyplane, "NAME", "The keyplane to list (the keyboard's first)");
    addOrientation(keys);
    addValue(
        keys, "--type-mode", m_given.typeMode, "1|2", "1 Shifted key, 2 Alternate key, for this listing");
    addValue(keys, "--png", m_given.pngFile, "FILE.png", "Also draw the keyboard into a PNG file at 2x");

    CLI::App* type = addCommand(CommandLine::Mode::Type, "type", "Types a text with the fewest touches",
        "Types FILE line by line, as it reads it, into the test app's emptied field, on a copy of the\n"
        "device root with the settings chosen here, and checks each line. A line may hold at most\n"
            + std::to_string(Typist::longestText)
            + " bytes. A line with a character the keyboard cannot type is skipped and listed with\n"
              "the first such character on standard error, or in --skipped FILE. A byte-order mark at the\n"
              "start and a carriage return ending a line are not typed. Progress goes to standard error\n"
              "(--quiet: none). The last line of standard output is the total: \"typed C characters of L\n"
              "lines in T touches: KSPC K.KKK, predicted W.W wpm (S lines skipped)\", where a word is five\n"
              "characters and the time is a model of two expert thumbs: Fitts' law to each key, a stroke\n"
              "for each gesture, the thumbs in parallel. Its coefficients:\n"
            + timeCoefficientTable()
            + "--sensitivity prints before it one line per coefficient: the predicted wpm of the same\n"
              "plans (found with the values above) with that coefficient at -50 % and +50 %.\n"
              "Exit status: 0 every typed line came out exactly, 1 one did not (its number, what came out "
              "and\n"
              "the touches, on standard error) or nothing was typed, 2 an error, 128 + N a signal.");
    addLocale(type);
    addKeyboardChoice(type);
    addValue(type, "--corvane", m_given.corvane, "off|alternate|shifted",
        "The platform alone, or the extension (alternate)");
    addValue(type, "--gesture", m_given.gesture, "flick|slide", "The gesture the extension follows (flick)");
    type->add_flag("--roll", m_line.rolled, "Each key down before the last comes up, as two thumbs")
        ->disable_flag_override();
    addValue(type, "--cost", m_given.cost, "touches|time",
        "Plan each line for the fewest touches or the least predicted time (touches)");
    type->add_flag(
            "--sensitivity", m_line.sensitivity, "The predicted wpm with each coefficient at -50 % and +50 %")
        ->disable_flag_override();
    type->add_flag("--carry-state", m_given.carriesState,
            "Each line starts where the line before left the keyboard (--start carried)")
        ->disable_flag_override();
    addValue(type, "--start", m_given.lineStart, "WHERE",
        "Where each line starts: fresh (as the keyboard came up), carried, shifted (shift just tapped),\n"
        "shift-locked, numbers or symbols (fresh)");
    addValue(type, "--skipped", m_given.skippedFile, "FILE", "List the skipped lines in FILE");
    type->add_flag("--quiet", m_line.quiet, "No progress on standard error")->disable_flag_override();
    type->add_option("FILE", m_line.textFile, "The text: a file, or - for standard input")
        ->required()
        ->type_name("");

    CLI::App* help = addCommand(
        CommandLine::Mode::Help, "help", "Tells about corvane-sim, a command, or the script language", "");
    help->add_option("TOPIC", m_given.helpTopic, "A command, or script")->type_name("");
}

CLI::App* CommandLineReader::addCommand(
    CommandLine::Mode mode, const char* name, const char* description, std::string footer)
{
    CLI::App* command = m_app.add_subcommand(name, description);
    command->group("Commands");
    command->allow_extras();
    addDevice(command);
    if (!footer.empty())
        command->footer(std::move(footer));
    m_modes.emplace_back(command, mode);
    return command;
}

CLI::Option* CommandLineReader::addValue(CLI::App* command, const char* name, std::string& value,
    const char* typeName, const std::string& description)
{
    return command->add_option(name, value, description)->type_name(typeName);
}

// On the program and on each command, so that it may come before or after
// the command, and shows in each command's help.
void CommandLineReader::addDevice(CLI::App* command)
{
    addValue(command, "--device", m_given.deviceRoot, "DIR", "The device root to boot");
}

void CommandLineReader::addLocale(CLI::App* command)
{
    command->add_option("--locale", m_line.locale, "The locale, such as de_DE (en_US)")->type_name("ID");
}

void CommandLineReader::addOrientation(CLI::App* command)
{
    addValue(command, "--orientation", m_given.orientation, "portrait|landscape", "The device's orientation");
}

void CommandLineReader::addKeyboardChoice(CLI::App* command)
{
    addValue(command, "--keyboard-type", m_given.keyboardType, "N", "The text field's keyboard type (0)");
    addValue(
        command, "--layout", m_given.layout, "L", letterLayoutNames(", ", " or ") + " (else the locale's)");
}

CLI::App* CommandLineReader::chosenCommand() const
{
    std::vector<CLI::App*> chosen = m_app.get_subcommands();
    return chosen.empty() ? nullptr : chosen.front();
}

std::string CommandLineReader::helpFor(const CLI::App* command) const
{
    // Formatted directly: CLI11's own help() answers for whichever command was given.
    if (!command)
        return m_app.get_formatter()->make_help(&m_app, programName, CLI::AppFormatMode::Normal);
    return command->get_formatter()->make_help(
        command, std::string(programName) + " " + command->get_name(), CLI::AppFormatMode::Normal);
}

std::string CommandLineReader::helpForTopic(const std::string& topic) const
{
    if (topic == scriptTopic)
        return scriptLanguageReference();
    for (const auto& [command, mode] : m_modes) {
        if (command->get_name() == topic)
            return helpFor(command);
    }
    return {};
}

bool CommandLineReader::wasGiven(const char* option) const
{
    const CLI::App* command = chosenCommand();
    return (command && command->get_option_no_throw(option) && command->count(option))
        || (m_app.get_option_no_throw(option) && m_app.count(option));
}

// CLI11 names the option that failed first in its messages ("--locale: 1
// required ID missing"); the reason is said again in our words.
Error CommandLineReader::explain(
    const CLI::ParseError& error, const std::vector<std::string>& arguments) const
{
    std::string message = error.what();
    if (error.get_name() == "RequiredError") {
        if (m_line.mode == CommandLine::Mode::Run)
            return Error { "expected one script file after run, as in: corvane-sim run SCRIPT" };
        return Error { "expected one text file after type, as in: corvane-sim type FILE" };
    }
    if (error.get_name() == "ArgumentMismatch") {
        if (message.find("flag override") != std::string::npos) {
            for (const std::string& argument : arguments) {
                auto equals = argument.find('=');
                if (argument.starts_with("--") && equals != std::string::npos
                    && message.starts_with(argument.substr(2, equals - 2) + " "))
                    return Error { argument.substr(0, equals) + " is a flag and takes no value, got "
                        + quoteScriptString(argument.substr(equals + 1)) };
            }
        }
        if (message.starts_with("--"))
            return Error { "expected a value after " + message.substr(0, message.find(':')) };
    }
    return Error { escapeControlCharacters(message) };
}

CommandLine::Mode CommandLineReader::modeOf(const CLI::App* command) const
{
    for (const auto& [candidate, mode] : m_modes) {
        if (candidate == command)
            return mode;
    }
    return CommandLine::Mode::Help;
}

// CLI11 hands back what it could not place, a short option split from the
// rest of its word ("-odd" as "-o" and "dd"); the message names the word as
// the person typed it, and where it stood.
Error CommandLineReader::unknownOption(
    const std::string& leftover, const std::vector<std::string>& arguments) const
{
    const CLI::App* command = chosenCommand();
    std::string argument = leftover;
    bool beforeCommand = command != nullptr;
    for (const std::string& given : arguments) {
        if (given == "--")
            break;
        if (command && given == command->get_name())
            beforeCommand = false;
        if (given.starts_with(leftover)) {
            argument = given;
            break;
        }
    }
    std::string name = argument.substr(0, argument.find('='));
    std::vector<std::string> known;
    for (const CLI::App* owner : { command, static_cast<const CLI::App*>(&m_app) }) {
        if (!owner)
            continue;
        for (const CLI::Option* option : owner->get_options()) {
            for (const std::string& longName : option->get_lnames()) {
                if (std::find(known.begin(), known.end(), "--" + longName) == known.end())
                    known.push_back("--" + longName);
            }
        }
    }
    std::string where = command && !beforeCommand ? "for " + command->get_name() : "before the command";
    std::string message = "unknown option " + escapeControlCharacters(name) + " " + where;
    if (!name.starts_with("--"))
        return Error { message + "; a file whose name starts with - goes after --, as in: corvane-sim "
            + (command ? command->get_name() : std::string("type")) + " -- "
            + escapeControlCharacters(name) };
    if (auto meant = nearestWord(name, known))
        return Error { message + "; did you mean " + *meant + "?" };
    return Error { message + "; expected one of " + listOf(known) };
}

Error CommandLineReader::unknownCommand(const std::string& word) const
{
    std::vector<std::string> names;
    for (const CLI::App* command : m_app.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(command->get_name());
    if (auto meant = nearestWord(word, names))
        return Error { "unknown command " + quoteScriptString(word) + "; did you mean " + *meant + "?" };
    return Error { "expected a command (" + listOf(names) + "), got " + quoteScriptString(word) };
}

ErrorOr<void> CommandLineReader::checkLeftovers(const std::vector<std::string>& arguments) const
{
    const CLI::App* command = chosenCommand();
    std::vector<std::string> leftovers = m_app.remaining(true);
    for (const std::string& argument : leftovers) {
        if (argument != "--" && argument.size() > 1 && argument.front() == '-')
            return unknownOption(argument, arguments);
    }
    for (const std::string& argument : leftovers) {
        if (argument == "--")
            continue;
        if (!command)
            return unknownCommand(argument);
        switch (m_line.mode) {
        case CommandLine::Mode::Run:
            return Error { "expected one script file after run, as in: corvane-sim run SCRIPT" };
        case CommandLine::Mode::Type:
            return Error { "expected one text file after type, as in: corvane-sim type FILE" };
        case CommandLine::Mode::Help:
            return Error { "expected one topic after help, got also " + quoteScriptString(argument) };
        default:
            return Error { "expected no further arguments after " + command->get_name() + ", got "
                + quoteScriptString(argument) };
        }
    }
    return {};
}

ErrorOr<void> CommandLineReader::convertValues()
{
    if (wasGiven("--device"))
        m_line.deviceRoot = m_given.deviceRoot;
    if (wasGiven("--keyboard-type")) {
        auto type = keyboardTypeFromText(m_given.keyboardType);
        if (!type)
            return expectedAfter(keyboardTypeDescription(), "--keyboard-type", m_given.keyboardType);
        m_line.keyboardType = *type;
    }
    if (wasGiven("--layout")) {
        m_line.layout = findLetterLayout(m_given.layout);
        if (!m_line.layout)
            return expectedAfter(letterLayoutNames(", ", " or "), "--layout", m_given.layout);
    }
    if (wasGiven("--orientation")) {
        auto orientation = orientationFromWord(m_given.orientation);
        if (!orientation)
            return expectedAfter("portrait or landscape", "--orientation", m_given.orientation);
        m_line.orientation = *orientation;
    }
    if (wasGiven("--keyplane"))
        m_line.keyplane = m_given.keyplane;
    if (wasGiven("--type-mode")) {
        if (m_given.typeMode != "1" && m_given.typeMode != "2")
            return expectedAfter("1 (Shifted key) or 2 (Alternate key)", "--type-mode", m_given.typeMode);
        m_line.typeMode = m_given.typeMode == "1" ? 1 : 2;
    }
    if (wasGiven("--png")) {
        if (!isPngFileName(m_given.pngFile))
            return expectedAfter("a file name ending in .png", "--png", m_given.pngFile);
        m_line.pngFile = m_given.pngFile;
    }
    if (wasGiven("--corvane")) {
        static const std::map<std::string, CommandLine::Corvane> words
            = { { "off", CommandLine::Corvane::Off }, { "alternate", CommandLine::Corvane::Alternate },
                  { "shifted", CommandLine::Corvane::Shifted } };
        auto found = words.find(m_given.corvane);
        if (found == words.end())
            return expectedAfter("off, alternate or shifted", "--corvane", m_given.corvane);
        m_line.corvane = found->second;
    }
    if (wasGiven("--gesture")) {
        static const std::map<std::string, CommandLine::Gesture> words
            = { { "flick", CommandLine::Gesture::Flick }, { "slide", CommandLine::Gesture::Slide } };
        auto found = words.find(m_given.gesture);
        if (found == words.end())
            return expectedAfter("flick or slide", "--gesture", m_given.gesture);
        m_line.gesture = found->second;
    }
    if (wasGiven("--cost")) {
        if (m_given.cost != "touches" && m_given.cost != "time")
            return expectedAfter("touches or time", "--cost", m_given.cost);
        m_line.cost = m_given.cost == "time" ? PlanCost::Time : PlanCost::Touches;
    }
    if (wasGiven("--start")) {
        auto start = lineStartFromWord(m_given.lineStart);
        if (!start)
            return expectedAfter(lineStartWords(), "--start", m_given.lineStart);
        m_line.lineStart = *start;
    }
    if (m_given.carriesState) {
        if (wasGiven("--start") && m_line.lineStart != LineStart::Carried)
            return Error { "--carry-state and --start " + m_given.lineStart + " say different things" };
        m_line.lineStart = LineStart::Carried;
    }
    if (wasGiven("--scale")) {
        double scale = 0;
        const std::string& text = m_given.scale;
        auto result = std::from_chars(text.data(), text.data() + text.size(), scale);
        if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()
            || !(scale >= command::Render::smallestScale && scale <= command::Render::largestScale))
            return expectedAfter("a scale from " + formatScriptNumber(command::Render::smallestScale) + " to "
                    + formatScriptNumber(command::Render::largestScale) + " (pixels per point)",
                "--scale", text);
        m_line.windowScale = scale;
    }
    if (wasGiven("--out"))
        m_line.outputDirectory = m_given.outputDirectory;
    if (wasGiven("--replay"))
        m_line.replayFile = m_given.replayFile;
    if (wasGiven("--skipped"))
        m_line.skippedFile = m_given.skippedFile;
    return {};
}

ErrorOr<CommandLine> CommandLineReader::read(const std::vector<std::string>& arguments)
{
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        m_app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        m_line.mode = CommandLine::Mode::Help;
        m_line.helpText = helpFor(chosenCommand());
        return m_line;
    } catch (const CLI::ParseError& error) {
        m_line.mode = modeOf(chosenCommand());
        // A file left out because an unknown option stood in its place: the option is the mistake.
        if (error.get_name() == "RequiredError")
            TRY(checkLeftovers(arguments));
        return explain(error, arguments);
    }

    const CLI::App* command = chosenCommand();
    m_line.mode = modeOf(command);
    TRY(checkLeftovers(arguments));
    if (m_versionWanted) {
        m_line.mode = CommandLine::Mode::Version;
        return m_line;
    }
    if (m_line.mode == CommandLine::Mode::Help) {
        std::string topic = m_given.helpTopic.empty() ? std::string() : m_given.helpTopic.front();
        m_line.helpText = topic.empty() ? helpFor(nullptr) : helpForTopic(topic);
        if (m_line.helpText.empty()) {
            std::vector<std::string> topics { scriptTopic };
            for (const auto& [helped, mode] : m_modes)
                topics.push_back(helped->get_name());
            if (auto meant = nearestWord(topic, topics))
                return Error { "no help on " + quoteScriptString(topic) + "; did you mean " + *meant + "?" };
            return Error { "no help on " + quoteScriptString(topic) + "; expected one of " + listOf(topics) };
        }
        return m_line;
    }
    TRY(convertValues());
    return m_line;
}

} // namespace

ErrorOr<CommandLine> parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLineReader reader;
    return reader.read(arguments);
}
