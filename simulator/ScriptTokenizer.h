#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One argument of a script line: a bare word, or a string in double quotes
// with its escapes resolved.
struct ScriptToken {
    std::string text;
    bool isQuoted { false };
    // 1-based, where the token starts in the line.
    int column { 0 };
};

struct TokenizedLine {
    std::vector<ScriptToken> tokens;
    // Set when the line cannot be split; says what was expected.
    std::optional<std::string> error;
};

// Splits a line at spaces and tabs. "#" outside quotes starts a comment that
// runs to the end of the line. Inside quotes, \n, \t, \" and \\ stand for a
// line break, a tab, a quote and a backslash.
TokenizedLine tokenizeScriptLine(std::string_view line);
