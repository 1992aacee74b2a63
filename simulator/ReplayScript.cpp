#include "simulator/ReplayScript.h"

#include "simulator/ScriptError.h"
#include "simulator/ScriptFile.h"
#include "simulator/ScriptText.h"
#include "simulator/ScriptTokenizer.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <optional>
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
    // "point", "size", "name", "seconds", "file" or "" for none.
    const char* argument;
};

const std::map<std::string, StepSyntax>& stepTable()
{
    static const std::map<std::string, StepSyntax> table = {
        { "click", { ReplayStep::Kind::Click, "point" } },
        { "press", { ReplayStep::Kind::Press, "point" } },
        { "drag", { ReplayStep::Kind::Drag, "point" } },
        { "release", { ReplayStep::Kind::Release, "point" } },
        { "right-press", { ReplayStep::Kind::RightPress, "point" } },
        { "right-release", { ReplayStep::Kind::RightRelease, "point" } },
        { "key", { ReplayStep::Kind::Key, "name" } },
        { "pause", { ReplayStep::Kind::Pause, "seconds" } },
        { "resize", { ReplayStep::Kind::Resize, "size" } },
        { "window-snapshot", { ReplayStep::Kind::WindowSnapshot, "file" } },
        { "quit", { ReplayStep::Kind::Quit, "" } },
    };
    return table;
}

ErrorOr<ReplayStep> parseStep(const std::vector<ScriptToken>& tokens)
{
    ReplayStep step;
    auto entry = stepTable().find(tokens[0].text);
    if (entry == stepTable().end() || tokens[0].isQuoted)
        return Error { "expected click, press, drag, release, right-press, right-release, key, pause, "
                       "resize, window-snapshot or quit, got "
            + quoteScriptString(tokens[0].text) };
    step.kind = entry->second.kind;
    std::string argument = entry->second.argument;
    bool isPair = argument == "point" || argument == "size";
    std::size_t wanted = isPair ? 2 : argument.empty() ? 0 : 1;
    std::string after = " after " + quoteScriptString(tokens[0].text);
    if (tokens.size() - 1 != wanted) {
        if (argument == "point")
            return Error { "expected a screen point X Y" + after };
        if (argument == "size")
            return Error { "expected a window size W H in pixels" + after };
        if (argument.empty())
            return Error { "expected nothing" + after };
        std::string what = argument == "seconds" ? "a number of seconds"
            : argument == "file"                 ? "a file name"
                                                 : "a key name such as Tab or r";
        return Error { "expected " + what + after };
    }
    if (argument == "point") {
        auto x = readNumber(tokens[1]);
        auto y = readNumber(tokens[2]);
        if (!x || !y)
            return Error { "expected a screen point X Y" + after };
        step.x = *x;
        step.y = *y;
    } else if (argument == "size") {
        auto width = readNumber(tokens[1]);
        auto height = readNumber(tokens[2]);
        if (!width || !height || *width < 1 || *height < 1 || *width > 16384 || *height > 16384)
            return Error { "expected a window size W H in pixels" + after };
        step.x = *width;
        step.y = *height;
    } else if (argument == "seconds") {
        auto seconds = readNumber(tokens[1]);
        if (!seconds || *seconds < 0)
            return Error { "expected a number of seconds" + after };
        step.seconds = *seconds;
    } else if (argument == "file") {
        step.name = std::filesystem::absolute(tokens[1].text).string();
    } else if (argument == "name") {
        step.name = tokens[1].text;
    }
    return step;
}

} // namespace

ErrorOr<ReplayScript> ReplayScript::parse(const std::string& fileName, const std::string& text)
{
    ReplayScript script;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        auto tokens = tokenizeScriptLine(line);
        if (!tokens)
            return Error { ScriptError { fileName, lineNumber, tokens.error().message }.format() };
        if (tokens.value().empty())
            continue;
        auto step = parseStep(tokens.value());
        if (!step)
            return Error { ScriptError { fileName, lineNumber, step.error().message }.format() };
        script.steps.push_back(step.releaseValue());
    }
    return script;
}

ErrorOr<ReplayScript> ReplayScript::load(const std::string& path)
{
    auto text = readScriptFile(path);
    if (!text)
        return Error { ScriptError { path, 0, text.error().message }.format() };
    return parse(path, text.value());
}
