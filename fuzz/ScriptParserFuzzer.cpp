// Any text as a simulator script, or as lines of the driver's host protocol:
// the parser answers commands or an error on a line of the text, never
// crashes, and every command it answers survives the trip to a host
// process: written back as a line, it parses to the same command. An error
// never carries a raw control character, or a byte that is not UTF-8, back to
// the terminal.
#include "simulator/ScriptLanguage.h"

#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cuchar>
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

// A C0 or C1 control, DEL, or a byte outside well-formed UTF-8, as the C
// library's own UTF-8 decoder reads the text (not the simulator's code).
bool hasControlCharacter(std::string_view text)
{
    static const bool inUtf8 = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    if (!inUtf8)
        std::abort();
    std::mbstate_t state {};
    while (!text.empty()) {
        char32_t character = 0;
        std::size_t length = std::mbrtoc32(&character, text.data(), text.size(), &state);
        if (length == 0)
            length = 1;
        if (length > text.size() || character < 0x20 || (character >= 0x7F && character < 0xA0)
            || character > 0x10FFFF)
            return true;
        text.remove_prefix(length);
    }
    return false;
}

void checkScript(std::string_view text, ScriptSyntax syntax)
{
    auto parsed = parseScript("fuzz.txt", text, syntax);
    if (!parsed) {
        // A script that does not parse says where, in printable words.
        const std::string& message = parsed.error().message;
        if (message.rfind("fuzz.txt:", 0) != 0 || hasControlCharacter(message))
            std::abort();
        return;
    }
    int lastLine = 0;
    for (const ScriptLine& line : parsed.value().lines) {
        // Commands come in the order of their lines, each on a line of the text.
        if (line.number <= lastLine)
            std::abort();
        lastLine = line.number;
        checkRoundTrip(line.command);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    checkScript(text, ScriptSyntax::Script);
    checkScript(text, ScriptSyntax::HostProtocol);
    return 0;
}
