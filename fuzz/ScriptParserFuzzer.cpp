// Any text as a simulator script, or as lines of the driver's host protocol:
// the parser answers commands or an error on a line of the text, never
// crashes, and every command it answers survives the trip to a host
// process: written back as a line, it parses to the same command.
#include "simulator/ScriptParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkRoundTrip(const ScriptCommand& command)
{
    std::string line = command.toLine();
    ParsedLine reparsed = parseScriptLine(line, command.line, ScriptSyntax::HostProtocol);
    if (reparsed.error || !reparsed.command || reparsed.command->kind != command.kind
        || reparsed.command->toLine() != line)
        std::abort();
}

void checkScript(std::string_view text, ScriptSyntax syntax)
{
    ParsedScript script = parseScript("fuzz.txt", text, syntax);
    int lastLine = 0;
    for (const ScriptCommand& command : script.commands) {
        // Commands come in the order of their lines, each on a line of the text.
        if (command.line <= lastLine)
            std::abort();
        lastLine = command.line;
        checkRoundTrip(command);
    }
    if (script.error && (script.error->line <= lastLine || script.error->message.empty()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    checkScript(text, ScriptSyntax::Script);
    checkScript(text, ScriptSyntax::HostProtocol);
    return 0;
}
