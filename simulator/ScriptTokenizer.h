#pragma once

#include "platform/foundation/ErrorOr.h"

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

// Splits a line at spaces, tabs and carriage returns. "#" outside quotes
// starts a comment that runs to the end of the line. Inside quotes, \n, \t,
// \r, \", \\ and \xHH stand for a line break, a tab, a carriage return, a
// quote, a backslash and the byte HH, as quoteScriptString writes them. An
// error says what was expected where.
ErrorOr<std::vector<ScriptToken>> tokenizeScriptLine(std::string_view line);
