// Any text as a simulator script, or as lines of the driver's host protocol:
// the parser answers commands or an error on a line of the text, never
// crashes, and every command it answers survives the trip to a host
// process: written back as a line, it parses to the same command. An error
// never carries a raw control character back to the terminal.
#include "simulator/ScriptLanguage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkRoundTrip(const ScriptCommand& command)
{
    std::string line = writeScriptCommand(command);
    auto reparsed = parseScriptLine(line, ScriptSyntax::HostProtocol);
    if (!reparsed || !reparsed.value() || reparsed.value()->index() != command.index()
        || writeScriptCommand(*reparsed.value()) != line)
        std::abort();
}

bool hasControlCharacter(std::string_view text)
{
    for (char character : text) {
        if (static_cast<unsigned char>(character) < 0x20 || character == 0x7F)
            return true;
    }
    return false;
}

void checkScript(std::string_view text, ScriptSyntax syntax)
{
    ParsedScript script = parseScript("fuzz.txt", text, syntax);
    int lastLine = 0;
    for (const ScriptLine& line : script.lines) {
        // Commands come in the order of their lines, each on a line of the text.
        if (line.number <= lastLine)
            std::abort();
        lastLine = line.number;
        checkRoundTrip(line.command);
    }
    if (script.error
        && (script.error->line <= lastLine || script.error->message.empty()
            || hasControlCharacter(script.error->format())))
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
