#include "simulator/ReplayScript.h"

#include "simulator/ScriptTokenizer.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::optional<double> readNumber(const ScriptToken& token)
{
    double number = 0;
    const std::string& text = token.text;
    auto result = std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed);
    if (token.isQuoted || text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return number;
}

struct StepSyntax {
    ReplayStep::Kind kind;
    // "point", "name", "seconds", "file" or "" for none.
    const char* argument;
};

const std::map<std::string, StepSyntax>& stepTable()
{
    static const std::map<std::string, StepSyntax> table = {
        { "click", { ReplayStep::Kind::Click, "point" } },
        { "press", { ReplayStep::Kind::Press, "point" } },
        { "drag", { ReplayStep::Kind::Drag, "point" } },
        { "release", { ReplayStep::Kind::Release, "point" } },
        { "key", { ReplayStep::Kind::Key, "name" } },
        { "pause", { ReplayStep::Kind::Pause, "seconds" } },
        { "window-snapshot", { ReplayStep::Kind::WindowSnapshot, "file" } },
        { "quit", { ReplayStep::Kind::Quit, "" } },
    };
    return table;
}

std::optional<std::string> parseStep(const std::vector<ScriptToken>& tokens, ReplayStep& step)
{
    auto entry = stepTable().find(tokens[0].text);
    if (entry == stepTable().end() || tokens[0].isQuoted)
        return "expected click, press, drag, release, key, pause, window-snapshot or quit, got \""
            + tokens[0].text + "\"";
    step.kind = entry->second.kind;
    std::string argument = entry->second.argument;
    std::size_t wanted = argument == "point" ? 2 : argument.empty() ? 0 : 1;
    if (tokens.size() - 1 != wanted) {
        if (argument == "point")
            return "expected a screen point X Y after \"" + tokens[0].text + "\"";
        if (argument.empty())
            return "expected nothing after \"" + tokens[0].text + "\"";
        return "expected a " + argument + " after \"" + tokens[0].text + "\"";
    }
    if (argument == "point") {
        auto x = readNumber(tokens[1]);
        auto y = readNumber(tokens[2]);
        if (!x || !y)
            return "expected a screen point X Y after \"" + tokens[0].text + "\"";
        step.x = *x;
        step.y = *y;
    } else if (argument == "seconds") {
        auto seconds = readNumber(tokens[1]);
        if (!seconds || *seconds < 0)
            return "expected a number of seconds after \"pause\"";
        step.seconds = *seconds;
    } else if (argument == "file") {
        step.name = std::filesystem::absolute(tokens[1].text).string();
    } else if (argument == "name") {
        step.name = tokens[1].text;
    }
    return std::nullopt;
}

} // namespace

ReplayScript ReplayScript::parse(const std::string& fileName, const std::string& text)
{
    ReplayScript script;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        TokenizedLine tokenized = tokenizeScriptLine(line);
        if (tokenized.error) {
            script.error = ScriptError { fileName, lineNumber, *tokenized.error };
            return script;
        }
        if (tokenized.tokens.empty())
            continue;
        ReplayStep step;
        if (auto error = parseStep(tokenized.tokens, step)) {
            script.error = ScriptError { fileName, lineNumber, *error };
            return script;
        }
        script.steps.push_back(step);
    }
    return script;
}

ReplayScript ReplayScript::load(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ReplayScript script;
        script.error = ScriptError { path, 0, "cannot read this replay file" };
        return script;
    }
    std::stringstream text;
    text << file.rdbuf();
    return parse(path, text.str());
}
