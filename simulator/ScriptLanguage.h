#pragma once

#include "platform/foundation/ErrorOr.h"
#include "simulator/ScriptCommand.h"
#include "simulator/ScriptError.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which commands a text may hold: a person's script, or the lines the driver
// sends its host processes (the script's commands and a few of their own).
enum class ScriptSyntax { Script, HostProtocol };

// One line: a command, nothing for a blank line or a comment, or an error
// that says what was expected.
ErrorOr<std::optional<ScriptCommand>> parseScriptLine(
    std::string_view line, ScriptSyntax syntax = ScriptSyntax::Script);

struct ParsedScript {
    std::string fileName;
    std::vector<ScriptLine> lines;
};

// A whole script, one command per line, or its first error as
// "FILE:LINE: what was expected".
ErrorOr<ParsedScript> parseScript(
    std::string_view fileName, std::string_view text, ScriptSyntax syntax = ScriptSyntax::Script);

// The command written in the script language, as it reads back: how the
// driver hands a command to a host, and how transcripts show it.
std::string writeScriptCommand(const ScriptCommand& command);

// The word that starts the command ("expect" for every expectation).
std::string_view commandWord(const ScriptCommand& command);

// How a person's script command is written and what it does.
struct ScriptCommandHelp {
    // "tap", "expect text".
    std::string words;
    // What follows the words, such as "KEY [DY]"; empty for none.
    std::string_view arguments;
    std::string_view summary;
    // A whole line that uses the command.
    std::string_view example;
};

// Every command of a person's script, in the order of the language's table.
std::vector<ScriptCommandHelp> scriptCommandHelp();
