#include "simulator/ScriptFile.h"

#include "platform/foundation/FileIO.h"
#include "simulator/ScriptText.h"
#include "simulator/StandardInput.h"

namespace {

constexpr std::size_t largestScript = 4 * 1024 * 1024;

} // namespace

ErrorOr<std::string> readScriptFile(const std::string& path)
{
    auto text = path == standardInputName ? readStandardInput(largestScript)
                                          : FileIO::readRegularFile(path, largestScript);
    if (!text)
        return Error { "cannot read the script (" + escapeControlCharacters(text.error().message) + ")" };
    return text.releaseValue();
}
