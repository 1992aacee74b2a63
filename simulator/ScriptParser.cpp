#include "simulator/ScriptParser.h"

#include "simulator/ScriptTokenizer.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>

namespace {

// Thrown inside this file only, to leave a line's parse at the first problem.
struct LineError {
    std::string message;
};

std::string quoted(std::string_view text)
{
    return quoteScriptString(text);
}

std::optional<double> readNumber(std::string_view text)
{
    // Plain decimals only: an optional sign, digits, an optional fraction.
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    bool sawDigit = false;
    bool sawPoint = false;
    for (char character : digits) {
        if (std::isdigit(static_cast<unsigned char>(character)))
            sawDigit = true;
        else if (character == '.' && !sawPoint)
            sawPoint = true;
        else
            return std::nullopt;
    }
    if (!sawDigit)
        return std::nullopt;
    std::string_view parsed = text.front() == '+' ? text.substr(1) : text;
    double number = 0;
    auto result = std::from_chars(parsed.data(), parsed.data() + parsed.size(), number);
    if (result.ec != std::errc() || result.ptr != parsed.data() + parsed.size())
        return std::nullopt;
    return number;
}

std::optional<int> readInteger(std::string_view text)
{
    std::string_view parsed = !text.empty() && text.front() == '+' ? text.substr(1) : text;
    int number = 0;
    auto result = std::from_chars(parsed.data(), parsed.data() + parsed.size(), number);
    if (parsed.empty() || result.ec != std::errc() || result.ptr != parsed.data() + parsed.size())
        return std::nullopt;
    return number;
}

// Walks the arguments of one command, each read naming what it expects.
class Arguments {
public:
    Arguments(const std::vector<ScriptToken>& tokens, std::string_view command)
        : m_tokens(tokens)
        , m_command(command)
    {
    }

    bool atEnd() const { return m_next == m_tokens.size(); }
    std::size_t remaining() const { return m_tokens.size() - m_next; }
    const ScriptToken& peek() const { return m_tokens[m_next]; }

    std::string word(std::string_view what)
    {
        if (atEnd())
            fail(what);
        return m_tokens[m_next++].text;
    }

    double number(std::string_view what)
    {
        if (atEnd())
            fail(what);
        const ScriptToken& token = m_tokens[m_next];
        auto number = token.isQuoted ? std::nullopt : readNumber(token.text);
        if (!number)
            fail(what);
        ++m_next;
        return *number;
    }

    double optionalNumber(std::string_view what, double fallback)
    {
        return atEnd() ? fallback : number(what);
    }

    void end()
    {
        if (!atEnd())
            throw LineError { "expected the end of the line after " + quoted(m_command) + ", got "
                + quoted(peek().text) };
    }

    [[noreturn]] void fail(std::string_view what) const
    {
        std::string message = "expected " + std::string(what) + " after " + quoted(m_command);
        if (!atEnd())
            message += ", got " + quoted(peek().text);
        throw LineError { message };
    }

private:
    const std::vector<ScriptToken>& m_tokens;
    std::string m_command;
    std::size_t m_next { 0 };
};

constexpr std::string_view keyDescription
    = "a key (its string such as q or \"\\\"\", or a name such as space)";

// name=value options such as "type=1 layout=QWERTZ", each at most once.
void readOptions(Arguments& arguments, std::string_view expected,
    const std::map<std::string, std::function<bool(const std::string&)>>& options)
{
    std::map<std::string, bool> seen;
    while (!arguments.atEnd()) {
        std::string option = arguments.peek().text;
        auto equals = option.find('=');
        auto handler = equals == std::string::npos ? options.end() : options.find(option.substr(0, equals));
        if (handler == options.end() || arguments.peek().isQuoted)
            arguments.fail(expected);
        if (seen[handler->first])
            throw LineError { "expected " + handler->first + "= only once, got it again in "
                + quoted(option) };
        if (!handler->second(option.substr(equals + 1)))
            arguments.fail(expected);
        seen[handler->first] = true;
        arguments.word(expected);
    }
}

std::optional<std::string> normalizedLayout(std::string value)
{
    std::transform(value.begin(), value.end(), value.begin(),
        [](unsigned char character) { return static_cast<char>(std::toupper(character)); });
    if (value == "QWERTY" || value == "QWERTZ" || value == "AZERTY")
        return value;
    return std::nullopt;
}

std::string readChoice(
    Arguments& arguments, std::string_view what, std::initializer_list<std::string_view> choices)
{
    std::string value = arguments.word(what);
    if (std::find(choices.begin(), choices.end(), value) == choices.end()) {
        std::string message = "expected " + std::string(what) + ", got " + quoted(value);
        throw LineError { message };
    }
    return value;
}

using CommandParser = std::function<void(Arguments&, ScriptCommand&)>;

struct CommandSyntax {
    std::string_view word;
    bool hostOnly;
    CommandParser parse;
};

void parseNothing(Arguments&, ScriptCommand&) { }

void parseKeyboard(Arguments& arguments, ScriptCommand& command)
{
    readOptions(arguments, "type=N or layout=QWERTY|QWERTZ|AZERTY",
        { { "type",
              [&command](const std::string& value) {
                  command.keyboardType = readInteger(value);
                  return command.keyboardType && *command.keyboardType >= 0;
              } },
            { "layout", [&command](const std::string& value) {
                 command.layout = normalizedLayout(value);
                 return command.layout.has_value();
             } } });
}

void parseSettings(Arguments& arguments, ScriptCommand& command)
{
    readOptions(arguments, "type=N or gesture=N (whole numbers)",
        { { "type",
              [&command](const std::string& value) {
                  command.typeMode = readInteger(value);
                  return command.typeMode.has_value();
              } },
            { "gesture", [&command](const std::string& value) {
                 command.gesture = readInteger(value);
                 return command.gesture.has_value();
             } } });
}

void parseTap(Arguments& arguments, ScriptCommand& command)
{
    // Two numbers are a screen point; one argument is a key, digits included.
    if (arguments.remaining() == 2 && !arguments.peek().isQuoted) {
        command.kind = ScriptCommandKind::TapPoint;
        command.x = arguments.number("a screen point X Y");
        command.y = arguments.number("a screen point X Y");
        return;
    }
    command.key = arguments.word(std::string(keyDescription) + " or a screen point X Y");
}

CommandParser parseUpwardGesture(double defaultDistance)
{
    return [defaultDistance](Arguments& arguments, ScriptCommand& command) {
        command.key = arguments.word(keyDescription);
        command.y = arguments.optionalNumber("an upward distance in points", defaultDistance);
    };
}

void parseDrag(Arguments& arguments, ScriptCommand& command)
{
    command.key = arguments.word(keyDescription);
    command.x = arguments.number("the distance DX to move across");
    command.y = arguments.number("the distance DY to move down (negative is up)");
    if (arguments.atEnd())
        return;
    std::string written = arguments.peek().text;
    double steps = arguments.number("a number of drag events");
    if (steps < 1 || steps > 10000 || steps != static_cast<int>(steps))
        throw LineError { "expected a whole number of drag events from 1 to 10000, got " + quoted(written) };
    command.steps = static_cast<int>(steps);
}

void parseExpect(Arguments& arguments, ScriptCommand& command)
{
    std::string what = readChoice(
        arguments, "text, alt, setting or screen-text", { "text", "alt", "setting", "screen-text" });
    if (what == "text") {
        command.kind = ScriptCommandKind::ExpectText;
        command.text = arguments.word("the expected text in quotes");
    } else if (what == "alt") {
        command.kind = ScriptCommandKind::ExpectAlt;
        command.key = arguments.word(keyDescription);
        command.text = arguments.word("the expected alternate in quotes");
    } else if (what == "setting") {
        command.kind = ScriptCommandKind::ExpectSetting;
        std::string assignment = arguments.word("KEY=N");
        auto equals = assignment.find('=');
        auto value = equals == std::string::npos ? std::nullopt : readInteger(assignment.substr(equals + 1));
        if (equals == 0 || !value)
            throw LineError { "expected KEY=N (such as gesture=2) after \"setting\", got "
                + quoted(assignment) };
        command.name = assignment.substr(0, equals);
        command.value = *value;
    } else {
        command.kind = ScriptCommandKind::ExpectScreenText;
        command.text = arguments.word("the text to look for in quotes");
    }
}

CommandParser parsePoint(std::string_view what)
{
    return [what](Arguments& arguments, ScriptCommand& command) {
        command.x = arguments.number(what);
        command.y = arguments.number(what);
    };
}

const std::vector<CommandSyntax>& commandTable()
{
    static const std::vector<CommandSyntax> table = {
        { "locale", false,
            [](Arguments& a, ScriptCommand& c) { c.name = a.word("a locale identifier such as en_US"); } },
        { "orientation", false,
            [](Arguments& a, ScriptCommand& c) {
                c.name = readChoice(a, "portrait or landscape", { "portrait", "landscape" });
            } },
        { "keyboard", false, parseKeyboard },
        { "settings", false, parseSettings },
        { "keyplane", false, [](Arguments& a, ScriptCommand& c) { c.name = a.word("a keyplane name"); } },
        { "shift", false, parseNothing },
        { "shiftlock", false, parseNothing },
        { "unshift", false, parseNothing },
        { "tap", false, parseTap },
        { "tap-text", false,
            [](Arguments& a, ScriptCommand& c) { c.text = a.word("the text of a view in quotes"); } },
        { "tap-beside", false,
            [](Arguments& a, ScriptCommand& c) {
                c.text = a.word("the text of a view in quotes");
                c.x = a.number("a distance in points beside the text (negative: to its left)");
            } },
        { "flick", false, parseUpwardGesture(30) },
        { "slide", false, parseUpwardGesture(7) },
        { "drag", false, parseDrag },
        { "press", false, [](Arguments& a, ScriptCommand& c) { c.key = a.word(keyDescription); } },
        { "move", false, parsePoint("a distance DX DY from the touch-down point") },
        { "release", false, parseNothing },
        { "cancel", false, parseNothing },
        { "wait", false,
            [](Arguments& a, ScriptCommand& c) {
                c.x = a.number("a number of seconds");
                if (c.x < 0 || c.x > 86400)
                    throw LineError { "expected a number of seconds from 0 to 86400 after \"wait\"" };
            } },
        { "clear", false, parseNothing },
        { "expect", false, parseExpect },
        { "print", false, parseNothing },
        { "snapshot", false,
            [](Arguments& a, ScriptCommand& c) { c.name = a.word("a file name ending in .png"); } },
        { "app", false,
            [](Arguments& a, ScriptCommand& c) {
                c.name = readChoice(a, "settings, notes or test", { "settings", "notes", "test" });
            } },
        { "back", false, parseNothing },
        { "pointer-down", true, parsePoint("a screen point X Y") },
        { "pointer-move", true, parsePoint("a screen point X Y") },
        { "pointer-up", true, parsePoint("a screen point X Y") },
        { "list-keys", true, parseNothing },
        { "keyboard-snapshot", true,
            [](Arguments& a, ScriptCommand& c) { c.name = a.word("a file name ending in .png"); } },
        { "render", true, parseNothing },
        { "quit", true, parseNothing },
    };
    return table;
}

ScriptCommandKind kindOfWord(std::string_view word)
{
    static const std::map<std::string_view, ScriptCommandKind> kinds = [] {
        std::map<std::string_view, ScriptCommandKind> map;
        for (int index = 0; index <= static_cast<int>(ScriptCommandKind::Quit); ++index) {
            auto kind = static_cast<ScriptCommandKind>(index);
            map.emplace(commandWord(kind), kind);
        }
        return map;
    }();
    return kinds.at(word);
}

std::string knownCommands(ScriptSyntax syntax)
{
    std::string list;
    for (const CommandSyntax& entry : commandTable()) {
        if (entry.hostOnly && syntax == ScriptSyntax::Script)
            continue;
        list += list.empty() ? "" : ", ";
        list += entry.word;
    }
    return list;
}

} // namespace

ParsedLine parseScriptLine(std::string_view line, int lineNumber, ScriptSyntax syntax)
{
    ParsedLine result;
    TokenizedLine tokenized = tokenizeScriptLine(line);
    if (tokenized.error) {
        result.error = tokenized.error;
        return result;
    }
    if (tokenized.tokens.empty())
        return result;

    std::vector<ScriptToken> tokens = std::move(tokenized.tokens);
    std::string word = tokens.front().text;
    tokens.erase(tokens.begin());
    const auto& table = commandTable();
    auto entry = std::find_if(table.begin(), table.end(), [&](const CommandSyntax& syntaxEntry) {
        return syntaxEntry.word == word && (!syntaxEntry.hostOnly || syntax == ScriptSyntax::HostProtocol);
    });
    if (entry == table.end()) {
        result.error = "expected a command (" + knownCommands(syntax) + "), got " + quoteScriptString(word);
        return result;
    }

    ScriptCommand command;
    command.kind = kindOfWord(entry->word);
    command.line = lineNumber;
    try {
        Arguments arguments(tokens, word);
        entry->parse(arguments, command);
        arguments.end();
    } catch (const LineError& error) {
        result.error = error.message;
        return result;
    }
    result.command = std::move(command);
    return result;
}

ParsedScript parseScript(std::string_view fileName, std::string_view text, ScriptSyntax syntax)
{
    ParsedScript result;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ParsedLine parsed = parseScriptLine(line, lineNumber, syntax);
        if (parsed.error) {
            result.error = ScriptError { std::string(fileName), lineNumber, *parsed.error };
            return result;
        }
        if (parsed.command)
            result.commands.push_back(std::move(*parsed.command));
    }
    return result;
}
