#include "simulator/typing/TypedLine.h"

#include <array>
#include <charconv>

namespace {

constexpr std::array<const char*, 3> resultWords { "typed", "untypable", "astray" };

} // namespace

std::vector<std::string> TypedLine::toReply() const
{
    std::string times;
    for (std::int64_t time : milliseconds)
        times += (times.empty() ? "" : " ") + std::to_string(time);
    return { resultWords[static_cast<std::size_t>(result)], std::to_string(touches), fieldText, detail,
        times };
}

ErrorOr<TypedLine> TypedLine::fromReply(const std::vector<std::string>& reply)
{
    Error garbled { "the host's answer to a typed line is garbled" };
    if (reply.size() != 5)
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
    for (std::size_t at = 0; at < reply[4].size();) {
        std::int64_t time = 0;
        auto [end, error] = std::from_chars(reply[4].data() + at, reply[4].data() + reply[4].size(), time);
        if (error != std::errc() || time < 0)
            return garbled;
        line.milliseconds.push_back(time);
        at = static_cast<std::size_t>(end - reply[4].data());
        if (at < reply[4].size() && reply[4][at++] != ' ')
            return garbled;
    }
    return line;
}
