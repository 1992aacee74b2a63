#pragma once

#include "simulator/CommandResult.h"

#include <optional>
#include <string>
#include <vector>

class LineChannel;

// A host process's answer to one command, on the wire: one `out "…"` line per
// output line, `elapsed SECONDS` when the command let virtual time pass, then
// `ok`, `failed "…"` (an expectation did not hold) or `error "…"` (the
// command could not be done). False when the driver has gone.
bool writeHostReply(LineChannel& channel, const CommandResult& result);

// While a long command runs, `progress` lines tell the driver that the host
// is still at work; they carry nothing else.
bool writeHostProgress(LineChannel& channel);

// Reads one whole reply line by line; a line that is not part of the protocol
// makes an error that quotes it.
class HostReplyReader {
public:
    // The whole reply once its last line has come.
    std::optional<CommandResult> consume(const std::string& line);

private:
    std::vector<std::string> m_output;
    double m_elapsed { 0 };
};
