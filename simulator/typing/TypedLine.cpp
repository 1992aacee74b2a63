#include "simulator/typing/TypedLine.h"

#include <array>
#include <charconv>

namespace {

constexpr std::array<const char*, 3> resultWords { "typed", "untypable", "astray" };

} // namespace

std::vector<std::string> TypedLine::toReply() const
{
    return { resultWords[static_cast<std::size_t>(result)], std::to_string(touches), fieldText, detail };
}

ErrorOr<TypedLine> TypedLine::fromReply(const std::vector<std::string>& reply)
{
    Error garbled { "the host's answer to a typed line is garbled" };
    if (reply.size() != 4)
        return garbled;
    TypedLine line;
    std::size_t word = 0;
    while (word < resultWords.size() && reply[0] != resultWords[word])
        ++word;
    if (word == resultWords.size())
        return garbled;
    line.result = static_cast<Result>(word);
    const std::string& count = reply[1];
    if (std::from_chars(count.data(), count.data() + count.size(), line.touches).ec != std::errc())
        return garbled;
    line.fieldText = reply[2];
    line.detail = reply[3];
    return line;
}
