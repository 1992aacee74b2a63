// Any text as a simulator script, or as lines of the driver's host protocol:
// the parser answers commands or an error on a line of the text, never
// crashes, and every command it answers survives the trip to a host
// process: written back as a line, it parses to the same command. An error
// never carries a raw control character, or a byte that is not UTF-8, back to
// the terminal.
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

// A C0 or C1 control, DEL, or a byte outside well-formed UTF-8 (decoded
// here on its own, not with the simulator's escaping code).
bool hasControlCharacter(std::string_view text)
{
    for (std::size_t index = 0; index < text.size();) {
        auto lead = static_cast<unsigned char>(text[index]);
        std::size_t length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6         ? 2
            : (lead >> 4) == 0xE         ? 3
            : (lead >> 3) == 0x1E        ? 4
                                         : 0;
        if (length == 0 || index + length > text.size())
            return true;
        std::uint32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t next = 1; next < length; ++next) {
            auto byte = static_cast<unsigned char>(text[index + next]);
            if ((byte & 0xC0) != 0x80)
                return true;
            code = code << 6 | (byte & 0x3F);
        }
        constexpr std::uint32_t smallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
        if (code < 0x20 || (code >= 0x7F && code < 0xA0) || code < smallest[length] || code > 0x10FFFF
            || (code >= 0xD800 && code < 0xE000))
            return true;
        index += length;
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
