#pragma once

#include <string>
#include <vector>

class LineChannel;

// A host process's answer to one command: lines of output, then whether the
// command worked, an expectation failed, or the command could not be done.
struct HostReply {
    enum class Status { Ok, Failed, Error };

    Status status { Status::Ok };
    // Why it failed or could not be done.
    std::string message;
    std::vector<std::string> output;

    static HostReply ok(std::vector<std::string> output = {})
    {
        return { Status::Ok, {}, std::move(output) };
    }
    static HostReply failed(std::string message) { return { Status::Failed, std::move(message), {} }; }
    static HostReply error(std::string message) { return { Status::Error, std::move(message), {} }; }
};

// On the wire: one `out "…"` line per output line, then `ok`, `failed "…"` or `error "…"`.
bool writeHostReply(LineChannel& channel, const HostReply& reply);

// Reads one whole reply line by line; a line that is not part of the protocol
// makes an error reply that quotes it.
struct HostReplyReader {
    HostReply reply;
    bool isComplete { false };
    void consume(const std::string& line);
};
