#include "platform/runtime/NSException.h"

#include <array>
#include <cstdlib>
#include <execinfo.h>
#include <memory>

namespace {

std::vector<std::string> captureCallStack()
{
    std::array<void*, 64> frames {};
    int count = backtrace(frames.data(), static_cast<int>(frames.size()));
    std::vector<std::string> symbols;
    std::unique_ptr<char*, decltype(&std::free)> names(backtrace_symbols(frames.data(), count), &std::free);
    if (!names)
        return symbols;
    // The first frames are this constructor's own.
    for (int index = 2; index < count; ++index)
        symbols.emplace_back(names.get()[index]);
    return symbols;
}

} // namespace

NSException::NSException(std::string name, std::string reason)
    : m_name(std::move(name))
    , m_reason(std::move(reason))
    , m_callStackSymbols(captureCallStack())
{
}
