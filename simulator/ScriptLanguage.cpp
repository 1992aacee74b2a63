#include "simulator/ScriptLanguage.h"

#include "contracts/CorvaneContract.h"
#include "platform/keyboard/KeyboardLetterLayout.h"
#include "simulator/KeyboardTypeNumber.h"
#include "simulator/PngWriter.h"
#include "simulator/ScriptArguments.h"
#include "simulator/ScriptText.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <set>

namespace {

// Writes a command's arguments after its words, each as the parser reads it back.
class ScriptLineWriter {
public:
    explicit ScriptLineWriter(std::string_view words)
        : m_line(words)
    {
    }

    void word(std::string_view text) { add(scriptWord(text)); }
    void quoted(std::string_view text) { add(quoteScriptString(text)); }
    void number(double value) { add(formatScriptNumber(value)); }
    void option(std::string_view name, std::string_view value)
    {
        add(std::string(name) + "=" + std::string(value));
    }
    void integer(int value) { add(std::to_string(value)); }
    void option(std::string_view name, std::optional<int> value)
    {
        if (value)
            option(name, std::to_string(*value));
    }
    const std::string& line() const { return m_line; }

private:
    void add(std::string_view part)
    {
        m_line += ' ';
        m_line += part;
    }
    std::string m_line;
};

using Parse = std::function<ErrorOr<ScriptCommand>(ScriptArguments&)>;
using Write = std::function<void(const ScriptCommand&, ScriptLineWriter&)>;
using Claim = bool (*)(const ScriptArguments&);

// One command of the language: its words, who may use it, how its arguments
// are read and how they are written back.
struct CommandSyntax {
    std::string_view word;
    // The second word of commands that share the first ("expect text"), else empty.
    std::string_view subword;
    ScriptSyntax syntax;
    std::size_t alternative;
    Parse parse;
    Write write;
    // Among rows of one word, the row that claims the arguments reads them;
    // the row without a claim reads the rest.
    Claim claims { nullptr };
    // What `corvane-sim help script` shows; empty for the host's own commands.
    ScriptCommandHelp help {};
};

// A script command's row with the words that explain it.
CommandSyntax described(
    CommandSyntax syntax, std::string_view arguments, std::string_view summary, std::string_view example)
{
    syntax.help
        = { std::string(syntax.word) + (syntax.subword.empty() ? "" : " " + std::string(syntax.subword)),
              arguments, summary, example };
    return syntax;
}

template <typename Command> std::size_t alternativeOf()
{
    return ScriptCommand(std::in_place_type<Command>).index();
}

template <typename Command>
CommandSyntax row(std::string_view words, std::function<ErrorOr<Command>(ScriptArguments&)> parse,
    std::function<void(const Command&, ScriptLineWriter&)> write, ScriptSyntax syntax = ScriptSyntax::Script,
    Claim claims = nullptr)
{
    auto space = words.find(' ');
    return CommandSyntax {
        words.substr(0, space),
        space == std::string_view::npos ? std::string_view() : words.substr(space + 1),
        syntax,
        alternativeOf<Command>(),
        [parse = std::move(parse)](ScriptArguments& arguments) -> ErrorOr<ScriptCommand> {
            Command parsed = TRY(parse(arguments));
            return ScriptCommand(std::move(parsed));
        },
        [write = std::move(write)](const ScriptCommand& command, ScriptLineWriter& writer) {
            write(std::get<Command>(command), writer);
        },
        claims,
    };
}

// A command without arguments.
template <typename Command>
CommandSyntax bareRow(std::string_view words, ScriptSyntax syntax = ScriptSyntax::Script)
{
    return row<Command>(
        words, [](ScriptArguments&) -> ErrorOr<Command> { return Command {}; },
        [](const Command&, ScriptLineWriter&) {}, syntax);
}

constexpr std::string_view keyDescription
    = "a key (its string such as q or \"\\\"\", or a name such as space)";
constexpr std::string_view keyOrPointDescription
    = "a key (its string such as q or \"\\\"\", or a name such as space) or a screen point X Y";

std::optional<int> readInteger(std::string_view text)
{
    std::string_view parsed = !text.empty() && text.front() == '+' ? text.substr(1) : text;
    int number = 0;
    auto result = std::from_chars(parsed.data(), parsed.data() + parsed.size(), number);
    if (parsed.empty() || result.ec != std::errc() || result.ptr != parsed.data() + parsed.size())
        return std::nullopt;
    return number;
}

struct OptionSyntax {
    std::string_view name;
    // Takes the value; false when it is not one.
    std::function<bool(const std::string&)> read;
};

// A whole number, kept in the command.
OptionSyntax integerOption(std::string_view name, std::optional<int>& value)
{
    return { name, [&value](const std::string& text) {
                value = readInteger(text);
                return value.has_value();
            } };
}

// finger=N, one of the numbered fingers.
OptionSyntax fingerOption(int& finger)
{
    return { "finger", [&finger](const std::string& text) {
                std::optional<int> number = readInteger(text);
                if (!number || *number < 1 || *number > command::largestFinger)
                    return false;
                finger = *number;
                return true;
            } };
}

// name=value options such as "type=1 layout=QWERTZ", in any order, each at most once.
ErrorOr<void> readOptions(
    ScriptArguments& arguments, std::string_view expected, const std::vector<OptionSyntax>& options)
{
    std::set<std::string_view> seen;
    while (!arguments.atEnd()) {
        const ScriptToken& token = arguments.peek();
        auto equals = token.text.find('=');
        auto option = std::find_if(options.begin(), options.end(), [&](const OptionSyntax& candidate) {
            return equals != std::string::npos && token.text.compare(0, equals, candidate.name) == 0
                && candidate.name.size() == equals;
        });
        if (token.isQuoted || option == options.end())
            return arguments.expected(expected);
        if (!seen.insert(option->name).second)
            return Error { "expected " + std::string(option->name) + "= only once, got it again in "
                + quoteScriptString(token.text) };
        if (!option->read(token.text.substr(equals + 1)))
            return arguments.expected(expected);
        TRY(arguments.word(expected));
    }
    return {};
}

// "type=N or gesture=N (whole numbers)", one for each setting of the shared table.
const std::string& settingsExpected()
{
    static const std::string expected = [] {
        std::string text;
        for (const contract::Setting& setting : contract::settings)
            text += (text.empty() ? "" : " or ") + std::string(setting.key) + "=N";
        return text + " (whole numbers)";
    }();
    return expected;
}

// "[type=N] [gesture=N]"; the help keeps a view of it.
const std::string& settingsSyntax()
{
    static const std::string syntax = [] {
        std::string text;
        for (const contract::Setting& setting : contract::settings)
            text += (text.empty() ? "[" : " [") + std::string(setting.key) + "=N]";
        return text;
    }();
    return syntax;
}

const std::string fingerExpected
    = "finger=N (a finger from 1 to " + std::to_string(command::largestFinger) + ")";

// The optional finger=N that ends a finger's command.
ErrorOr<int> readFinger(ScriptArguments& arguments)
{
    int finger = 1;
    TRY(readOptions(arguments, fingerExpected, { fingerOption(finger) }));
    return finger;
}

// Written only when it is not the first finger, so that plain lines read as before.
void writeFinger(ScriptLineWriter& writer, int finger)
{
    writer.option("finger", finger == 1 ? std::nullopt : std::optional(finger));
}

// A finger's command with nothing but the finger.
template <typename Command> CommandSyntax fingerRow(std::string_view word)
{
    return row<Command>(
        word,
        [](ScriptArguments& a) -> ErrorOr<Command> {
            int finger = TRY(readFinger(a));
            return Command { finger };
        },
        [](const Command& c, ScriptLineWriter& w) { writeFinger(w, c.finger); });
}

ErrorOr<std::string> readPngFile(ScriptArguments& arguments)
{
    constexpr std::string_view what = "a file name ending in .png";
    if (arguments.atEnd() || !isPngFileName(arguments.peek().text))
        return arguments.expected(what);
    return TRY(arguments.word(what));
}

ErrorOr<double> readDistance(ScriptArguments& arguments, std::string_view what)
{
    return arguments.numberWithin(what, -largestScriptDistance, largestScriptDistance);
}

ErrorOr<command::Flick> readUpward(ScriptArguments& arguments, double defaultDistance)
{
    std::string key = TRY(arguments.word(keyDescription));
    command::Flick gesture { key, defaultDistance };
    if (!arguments.atEnd())
        gesture.distance = TRY(readDistance(arguments, "an upward distance in points"));
    return gesture;
}

// The optional number of drag events that ends a drag.
ErrorOr<int> readSteps(ScriptArguments& arguments, int fallback)
{
    if (arguments.atEnd())
        return fallback;
    return arguments.wholeNumberWithin("a number of drag events", 1, command::Drag::largestSteps);
}

bool isScreenPoint(const ScriptArguments& arguments)
{
    return arguments.remaining() == 2 && !arguments.peek().isQuoted;
}

// A command at a screen point X Y.
template <typename Pointer>
CommandSyntax pointRow(
    std::string_view word, ScriptSyntax syntax = ScriptSyntax::HostProtocol, Claim claims = nullptr)
{
    return row<Pointer>(
        word,
        [](ScriptArguments& arguments) -> ErrorOr<Pointer> {
            Pointer pointer;
            pointer.x = TRY(readDistance(arguments, "a screen point X Y"));
            pointer.y = TRY(readDistance(arguments, "a screen point X Y"));
            if constexpr (requires { pointer.finger; })
                pointer.finger = TRY(readFinger(arguments));
            return pointer;
        },
        [](const Pointer& pointer, ScriptLineWriter& writer) {
            writer.number(pointer.x);
            writer.number(pointer.y);
            if constexpr (requires { pointer.finger; })
                writeFinger(writer, pointer.finger);
        },
        syntax, claims);
}

enum class Written { Plainly, InQuotes };

// A command of one text, a key or a name, written back plainly where it can
// be or always in quotes.
template <typename Command, auto field>
CommandSyntax textRow(std::string_view words, std::string_view what, Written written = Written::Plainly)
{
    return row<Command>(
        words,
        [what](ScriptArguments& arguments) -> ErrorOr<Command> {
            Command command;
            command.*field = TRY(arguments.word(what));
            return command;
        },
        [written](const Command& command, ScriptLineWriter& writer) {
            if (written == Written::InQuotes)
                writer.quoted(command.*field);
            else
                writer.word(command.*field);
        });
}

constexpr std::string_view rollWord = "--roll";
constexpr std::string_view costWord = "--cost";
constexpr std::string_view sensitivityWord = "--sensitivity";
constexpr std::string_view startWord = "--start";

bool nextIsWord(ScriptArguments& a, std::string_view word)
{
    return a.remaining() > 1 && !a.peek().isQuoted && a.peek().text == word;
}

// A command of a text to type: [--start WHERE] [--sensitivity] [--roll] [--cost touches|time] "TEXT".
template <typename Command>
CommandSyntax typingRow(std::string_view word, ScriptSyntax syntax = ScriptSyntax::Script)
{
    return row<Command>(
        word,
        [](ScriptArguments& a) -> ErrorOr<Command> {
            Command command;
            if constexpr (requires { command.start; }) {
                if (a.remaining() > 1 && !a.peek().isQuoted && a.peek().text == startWord) {
                    TRY(a.word(startWord));
                    std::string where = TRY(a.word(lineStartWords()));
                    auto start = lineStartFromWord(where);
                    if (!start)
                        return Error { "expected " + lineStartWords() + " after --start, got "
                            + quoteScriptString(where) };
                    command.start = *start;
                }
            }
            if constexpr (requires { command.sensitivity; }) {
                command.sensitivity = nextIsWord(a, sensitivityWord);
                if (command.sensitivity)
                    TRY(a.word(sensitivityWord));
            }
            command.rolled = nextIsWord(a, rollWord);
            if (command.rolled)
                TRY(a.word(rollWord));
            if (nextIsWord(a, costWord)) {
                TRY(a.word(costWord));
                std::string cost = TRY(a.choice("touches or time", { "touches", "time" }));
                command.cost = cost == "time" ? PlanCost::Time : PlanCost::Touches;
            }
            command.text = TRY(a.word("the text in quotes (after --roll for rolled typing)"));
            return command;
        },
        [](const Command& c, ScriptLineWriter& w) {
            if constexpr (requires { c.start; }) {
                if (c.start != LineStart::AsItCameUp) {
                    w.word(std::string(startWord));
                    w.word(std::string(wordFor(c.start)));
                }
            }
            if constexpr (requires { c.sensitivity; }) {
                if (c.sensitivity)
                    w.word(std::string(sensitivityWord));
            }
            if (c.rolled)
                w.word(std::string(rollWord));
            if (c.cost == PlanCost::Time) {
                w.word(std::string(costWord));
                w.word("time");
            }
            w.quoted(c.text);
        },
        syntax);
}

const std::vector<CommandSyntax>& commandTable()
{
    using namespace command;
    static const std::vector<CommandSyntax> table = {
        described(textRow<Locale, &Locale::identifier>("locale", "a locale identifier such as en_US"), "ID",
            "sets the locale of every app: its keyboard's letter layout and currency signs", "locale de_DE"),
        described(
            row<Orientation>(
                "orientation",
                [](ScriptArguments& a) -> ErrorOr<Orientation> {
                    std::string word = TRY(a.choice("portrait or landscape", { "portrait", "landscape" }));
                    return Orientation { *orientationFromWord(word) };
                },
                [](const Orientation& c, ScriptLineWriter& w) { w.word(orientationWord(c.orientation)); }),
            "portrait|landscape", "turns the device", "orientation landscape"),
        described(
            row<Keyboard>(
                "keyboard",
                [](ScriptArguments& a) -> ErrorOr<Keyboard> {
                    Keyboard keyboard;
                    OptionSyntax layout { "layout", [&](const std::string& value) {
                                             keyboard.layout = findLetterLayout(value);
                                             return keyboard.layout != nullptr;
                                         } };
                    OptionSyntax type { "type", [&](const std::string& value) {
                                           keyboard.type = keyboardTypeFromText(value);
                                           return keyboard.type.has_value();
                                       } };
                    TRY(readOptions(a,
                        "type=N (" + keyboardTypeDescription() + ") or layout=" + letterLayoutNames("|", "|"),
                        { type, layout }));
                    return keyboard;
                },
                [](const Keyboard& c, ScriptLineWriter& w) {
                    w.option("type", c.type);
                    if (c.layout)
                        w.option("layout", c.layout->name);
                }),
            "[type=N] [layout=L]",
            "focuses the app's text field with that keyboard type and letter layout (without one, the "
            "locale's)",
            "keyboard layout=QWERTZ"),
        described(row<Settings>(
                      "settings",
                      [](ScriptArguments& a) -> ErrorOr<Settings> {
                          std::array<std::optional<int>, contract::settings.size()> given;
                          std::vector<OptionSyntax> options;
                          for (std::size_t row = 0; row < given.size(); ++row)
                              options.push_back(integerOption(contract::settings[row].key, given[row]));
                          TRY(readOptions(a, settingsExpected(), options));
                          Settings settings;
                          for (std::size_t row = 0; row < given.size(); ++row) {
                              if (given[row])
                                  settings.values[contract::settings[row].key] = *given[row];
                          }
                          return settings;
                      },
                      [](const Settings& c, ScriptLineWriter& w) {
                          for (const contract::Setting& setting : contract::settings) {
                              auto value = c.values.find(setting.key);
                              if (value != c.values.end())
                                  w.option(setting.key, value->second);
                          }
                      }),
            settingsSyntax(), "writes the settings file as the pane does and posts the change notification",
            "settings gesture=2"),
        described(textRow<Keyplane, &Keyplane::name>("keyplane", "a keyplane name"), "NAME",
            "switches the keyboard to a keyplane", "keyplane Numbers-And-Punctuation"),
        described(bareRow<Shift>("shift"), "", "turns shift on", "shift"),
        described(bareRow<ShiftLock>("shiftlock"), "", "locks shift", "shiftlock"),
        described(bareRow<Unshift>("unshift"), "", "turns shift and shift lock off", "unshift"),
        described(pointRow<TapPoint>("tap", ScriptSyntax::Script, isScreenPoint), "X Y",
            "taps a point of the screen", "tap 160 90"),
        described(textRow<Tap, &Tap::key>("tap", keyOrPointDescription), "KEY", "taps a key", "tap q"),
        described(
            textRow<TapText, &TapText::text>("tap-text", "the text of a view in quotes", Written::InQuotes),
            "\"TEXT\"", "taps the view that shows the text, found as a screen reader finds it",
            "tap-text \"Flick up\""),
        described(row<TapBeside>(
                      "tap-beside",
                      [](ScriptArguments& a) -> ErrorOr<TapBeside> {
                          std::string text = TRY(a.word("the text of a view in quotes"));
                          double distance = TRY(readDistance(
                              a, "a distance in points beside the text (negative: to its left)"));
                          return TapBeside { text, distance };
                      },
                      [](const TapBeside& c, ScriptLineWriter& w) {
                          w.quoted(c.text);
                          w.number(c.distance);
                      }),
            "\"TEXT\" DX", "taps DX points beside a text (left of it when negative), for what has no label",
            "tap-beside \"Test Keyboard\" 40"),
        described(row<Flick>(
                      "flick",
                      [](ScriptArguments& a) -> ErrorOr<Flick> {
                          return TRY(readUpward(a, Flick::defaultDistance));
                      },
                      [](const Flick& c, ScriptLineWriter& w) {
                          w.word(c.key);
                          w.number(c.distance);
                      }),
            "KEY [DY]", "down on the key, DY points up (30), lift", "flick z"),
        described(row<Slide>(
                      "slide",
                      [](ScriptArguments& a) -> ErrorOr<Slide> {
                          Flick upward = TRY(readUpward(a, Slide::defaultDistance));
                          return Slide { upward.key, upward.distance };
                      },
                      [](const Slide& c, ScriptLineWriter& w) {
                          w.word(c.key);
                          w.number(c.distance);
                      }),
            "KEY [DY]", "down on the key, DY points up (7), lift", "slide q 5.9"),
        described(row<Drag>(
                      "drag",
                      [](ScriptArguments& a) -> ErrorOr<Drag> {
                          Drag drag;
                          drag.key = TRY(a.word(keyDescription));
                          drag.dx = TRY(readDistance(a, "the distance DX to move across"));
                          drag.dy = TRY(readDistance(a, "the distance DY to move down (negative is up)"));
                          drag.steps = TRY(readSteps(a, drag.steps));
                          return drag;
                      },
                      [](const Drag& c, ScriptLineWriter& w) {
                          w.word(c.key);
                          w.number(c.dx);
                          w.number(c.dy);
                          w.integer(c.steps);
                      }),
            "KEY DX DY [STEPS]", "down on the key, STEPS drag events (1) to DX DY from it, lift",
            "drag w 0 -8 4"),
        described(row<DragTo>(
                      "drag-to",
                      [](ScriptArguments& a) -> ErrorOr<DragTo> {
                          DragTo drag;
                          drag.key = TRY(a.word(keyDescription));
                          drag.target = TRY(a.word("the key to drag to"));
                          drag.steps = TRY(readSteps(a, drag.steps));
                          return drag;
                      },
                      [](const DragTo& c, ScriptLineWriter& w) {
                          w.word(c.key);
                          w.word(c.target);
                          w.integer(c.steps);
                      }),
            "KEY TARGET [STEPS]",
            "down on the key, STEPS drag events (5) to the middle of TARGET as the keyboard then shows it, "
            "lift",
            "drag-to more 5"),
        described(row<Press>(
                      "press",
                      [](ScriptArguments& a) -> ErrorOr<Press> {
                          Press press;
                          press.key = TRY(a.word(keyDescription));
                          press.finger = TRY(readFinger(a));
                          return press;
                      },
                      [](const Press& c, ScriptLineWriter& w) {
                          w.word(c.key);
                          writeFinger(w, c.finger);
                      }),
            "KEY [finger=N]", "puts a finger down on the key and keeps it there", "press h finger=2"),
        described(row<Move>(
                      "move",
                      [](ScriptArguments& a) -> ErrorOr<Move> {
                          Move move;
                          move.dx = TRY(readDistance(a, "a distance DX DY from the touch-down point"));
                          move.dy = TRY(readDistance(a, "a distance DX DY from the touch-down point"));
                          move.finger = TRY(readFinger(a));
                          return move;
                      },
                      [](const Move& c, ScriptLineWriter& w) {
                          w.number(c.dx);
                          w.number(c.dy);
                          writeFinger(w, c.finger);
                      }),
            "DX DY [finger=N]", "moves a finger that is down to DX DY from where it came down", "move 0 -30"),
        described(fingerRow<Release>("release"), "[finger=N]", "lifts a finger", "release finger=2"),
        described(fingerRow<Cancel>("cancel"), "[finger=N]",
            "cancels a finger's touch, as the system does when it takes the touch away", "cancel"),
        described(textRow<Roll, &Roll::text>("roll", "the text to type in quotes", Written::InQuotes),
            "\"TEXT\"", "types the text as two thumbs roll it, with the fewest touches (as type --roll)",
            "roll \"the\""),
        described(row<Wait>(
                      "wait",
                      [](ScriptArguments& a) -> ErrorOr<Wait> {
                          double seconds = TRY(a.numberWithin("a number of seconds", 0, Wait::longest));
                          return Wait { seconds };
                      },
                      [](const Wait& c, ScriptLineWriter& w) { w.number(c.seconds); }),
            "SECONDS", "moves the virtual clock of every app on; timers fire", "wait 0.5"),
        described(bareRow<Clear>("clear"), "", "empties the text field", "clear"),
        described(typingRow<Type>("type"), "[--roll] [--cost touches|time] \"TEXT\"",
            "types the text with the fewest touches the keyboard on screen allows (--cost time: in the least "
            "predicted time); --roll overlaps them as two thumbs do",
            "type \"Meet at 7:45\""),
        described(typingRow<Plan>("plan"), "[--roll] [--cost touches|time] \"TEXT\"",
            "prints the touches that would type the text, one per line, then their predicted time "
            "(\"predicted N ms\"), and types nothing",
            "plan \"Hi!\""),
        described(textRow<ExpectText, &ExpectText::text>(
                      "expect text", "the expected text in quotes", Written::InQuotes),
            "\"TEXT\"", "fails the script (status 1) unless the field holds exactly the text",
            "expect text \"6q\""),
        described(row<ExpectAlt>(
                      "expect alt",
                      [](ScriptArguments& a) -> ErrorOr<ExpectAlt> {
                          std::string key = TRY(a.word(keyDescription));
                          std::string alternate = TRY(a.word("the expected alternate in quotes"));
                          return ExpectAlt { key, alternate };
                      },
                      [](const ExpectAlt& c, ScriptLineWriter& w) {
                          w.word(c.key);
                          w.quoted(c.alternate);
                      }),
            "KEY \"TEXT\"", "fails the script unless the key's alternate is the text", "expect alt q \"1\""),
        described(row<ExpectSetting>(
                      "expect setting",
                      [](ScriptArguments& a) -> ErrorOr<ExpectSetting> {
                          constexpr std::string_view what = "KEY=N (such as gesture=2)";
                          if (a.atEnd() || a.peek().isQuoted)
                              return a.expected(what);
                          const std::string& assignment = a.peek().text;
                          auto equals = assignment.find('=');
                          auto value = equals == std::string::npos
                              ? std::nullopt
                              : readInteger(assignment.substr(equals + 1));
                          if (equals == 0 || !value)
                              return a.expected(what);
                          ExpectSetting setting { assignment.substr(0, equals), *value };
                          TRY(a.word(what));
                          return setting;
                      },
                      [](const ExpectSetting& c, ScriptLineWriter& w) {
                          w.option(c.key, std::to_string(c.value));
                      }),
            "KEY=N", "fails the script unless the settings file holds the value", "expect setting gesture=2"),
        described(textRow<ExpectScreenText, &ExpectScreenText::text>(
                      "expect screen-text", "the text to look for in quotes", Written::InQuotes),
            "\"TEXT\"", "fails the script unless the screen shows the text, and lists what it shows",
            "expect screen-text \"Slide up\""),
        described(bareRow<Print>("print"), "", "prints the text field's text", "print"),
        described(row<Snapshot>(
                      "snapshot",
                      [](ScriptArguments& a) -> ErrorOr<Snapshot> {
                          std::string file = TRY(readPngFile(a));
                          return Snapshot { file };
                      },
                      [](const Snapshot& c, ScriptLineWriter& w) { w.word(c.file); }),
            "FILE.png", "saves the screen at 2x, keyboard and pop-ups included", "snapshot notes.png"),
        described(row<App>(
                      "app",
                      [](ScriptArguments& a) -> ErrorOr<App> {
                          std::string word
                              = TRY(a.choice("settings, notes or test", { "settings", "notes", "test" }));
                          return App { *appFromWord(word) };
                      },
                      [](const App& c, ScriptLineWriter& w) { w.word(appWord(c.app)); }),
            "settings|notes|test",
            "brings an app to the front, each in its own process (settings opens on the Corvane pane)",
            "app notes"),
        described(bareRow<Back>("back"), "", "goes back one page", "back"),
        pointRow<PointerDown>("pointer-down"),
        pointRow<PointerMove>("pointer-move"),
        pointRow<PointerUp>("pointer-up"),
        bareRow<ListKeys>("list-keys", ScriptSyntax::HostProtocol),
        row<KeyboardSnapshot>(
            "keyboard-snapshot",
            [](ScriptArguments& a) -> ErrorOr<KeyboardSnapshot> {
                std::string file = TRY(readPngFile(a));
                return KeyboardSnapshot { file };
            },
            [](const KeyboardSnapshot& c, ScriptLineWriter& w) { w.word(c.file); },
            ScriptSyntax::HostProtocol),
        row<Render>(
            "render",
            [](ScriptArguments& a) -> ErrorOr<Render> {
                double scale = TRY(a.numberWithin("a scale", Render::smallestScale, Render::largestScale));
                return Render { scale };
            },
            [](const Render& c, ScriptLineWriter& w) { w.number(c.scale); }, ScriptSyntax::HostProtocol),
        bareRow<Quit>("quit", ScriptSyntax::HostProtocol),
        typingRow<TypeLine>("type-line", ScriptSyntax::HostProtocol),
    };
    return table;
}

bool isAllowed(const CommandSyntax& entry, ScriptSyntax syntax)
{
    return entry.syntax == ScriptSyntax::Script || syntax == ScriptSyntax::HostProtocol;
}

// "a, b or c" of the distinct words the rows have in that position.
template <typename Select>
std::string listOf(std::string_view separatorBeforeLast, Select select, ScriptSyntax syntax)
{
    std::vector<std::string_view> words;
    for (const CommandSyntax& entry : commandTable()) {
        std::optional<std::string_view> word = select(entry);
        if (isAllowed(entry, syntax) && word && std::find(words.begin(), words.end(), *word) == words.end())
            words.push_back(*word);
    }
    std::string list;
    for (std::size_t index = 0; index < words.size(); ++index) {
        if (index)
            list += index + 1 == words.size() ? separatorBeforeLast : ", ";
        list += words[index];
    }
    return list;
}

const CommandSyntax& syntaxOf(const ScriptCommand& command)
{
    static const std::vector<const CommandSyntax*> byAlternative = [] {
        std::vector<const CommandSyntax*> rows(std::variant_size_v<ScriptCommand>, nullptr);
        for (const CommandSyntax& entry : commandTable())
            rows[entry.alternative] = &entry;
        return rows;
    }();
    return *byAlternative[command.index()];
}

} // namespace

ErrorOr<std::optional<ScriptCommand>> parseScriptLine(std::string_view line, ScriptSyntax syntax)
{
    std::vector<ScriptToken> tokens = TRY(tokenizeScriptLine(line));
    if (tokens.empty())
        return std::optional<ScriptCommand>();

    std::string word = tokens.front().text;
    std::vector<const CommandSyntax*> rows;
    for (const CommandSyntax& entry : commandTable()) {
        if (entry.word == word && isAllowed(entry, syntax))
            rows.push_back(&entry);
    }
    if (rows.empty())
        return Error { "expected a command ("
            + listOf(
                ", ", [](const CommandSyntax& entry) { return std::optional(entry.word); }, syntax)
            + "), got " + quoteScriptString(word) };

    std::string name = word;
    std::size_t firstArgument = 1;
    if (!rows.front()->subword.empty()) {
        auto subwordOf = [&word](const CommandSyntax& entry) {
            return entry.word == word ? std::optional(entry.subword) : std::nullopt;
        };
        std::string choices = listOf(" or ", subwordOf, syntax);
        if (tokens.size() < 2)
            return ScriptArguments({}, word).expected(choices);
        std::erase_if(rows, [&](const CommandSyntax* entry) { return entry->subword != tokens[1].text; });
        if (rows.empty())
            return Error { "expected " + choices + ", got " + quoteScriptString(tokens[1].text) };
        name += " " + tokens[1].text;
        firstArgument = 2;
    }

    ScriptArguments arguments(
        std::vector<ScriptToken>(tokens.begin() + static_cast<std::ptrdiff_t>(firstArgument), tokens.end()),
        name);
    auto claimed = std::find_if(rows.begin(), rows.end(),
        [&](const CommandSyntax* entry) { return entry->claims && entry->claims(arguments); });
    if (claimed == rows.end())
        claimed = std::find_if(
            rows.begin(), rows.end(), [](const CommandSyntax* entry) { return !entry->claims; });
    ScriptCommand command = TRY((*claimed)->parse(arguments));
    TRY(arguments.end());
    return std::optional(std::move(command));
}

ErrorOr<ParsedScript> parseScript(std::string_view fileName, std::string_view text, ScriptSyntax syntax)
{
    ParsedScript result;
    result.fileName = fileName;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        auto parsed = parseScriptLine(line, syntax);
        if (!parsed)
            return Error {
                ScriptError { std::string(fileName), lineNumber, parsed.error().message }.format()
            };
        if (parsed.value())
            result.lines.push_back({ lineNumber, std::move(*parsed.value()) });
    }
    return result;
}

std::string writeScriptCommand(const ScriptCommand& command)
{
    const CommandSyntax& syntax = syntaxOf(command);
    std::string words(syntax.word);
    if (!syntax.subword.empty())
        words += " " + std::string(syntax.subword);
    ScriptLineWriter writer(words);
    syntax.write(command, writer);
    return writer.line();
}

std::string_view commandWord(const ScriptCommand& command)
{
    return syntaxOf(command).word;
}

std::vector<ScriptCommandHelp> scriptCommandHelp()
{
    std::vector<ScriptCommandHelp> help;
    for (const CommandSyntax& entry : commandTable()) {
        if (entry.syntax == ScriptSyntax::Script)
            help.push_back(entry.help);
    }
    return help;
}
