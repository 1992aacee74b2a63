#pragma once

#include "simulator/ScriptCommand.h"
#include "simulator/ScriptError.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which commands a text may hold: a person's script, or the lines the driver
// sends its host processes (the script's commands and a few of their own).
enum class ScriptSyntax { Script, HostProtocol };

struct ParsedLine {
    // Nothing for a blank line or a comment.
    std::optional<ScriptCommand> command;
    // Set when the line is not a valid command; says what was expected.
    std::optional<std::string> error;
};

struct ParsedScript {
    std::vector<ScriptCommand> commands;
    // The first error; when set, commands holds the lines before it.
    std::optional<ScriptError> error;
};

ParsedLine parseScriptLine(std::string_view line, int lineNumber, ScriptSyntax syntax = ScriptSyntax::Script);

// Parses a whole script, one command per line, and stops at the first error.
ParsedScript parseScript(
    std::string_view fileName, std::string_view text, ScriptSyntax syntax = ScriptSyntax::Script);
