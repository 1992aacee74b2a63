#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Lines of text over a stream socket, one request or reply per line. The
// channel owns its descriptor and closes it when it goes.
class LineChannel {
public:
    enum class ReadStatus { Line, TimedOut, Closed };
    struct ReadResult {
        ReadStatus status;
        std::string line;
    };

    explicit LineChannel(int descriptor);
    ~LineChannel();
    LineChannel(const LineChannel&) = delete;
    LineChannel& operator=(const LineChannel&) = delete;

    int descriptor() const { return m_descriptor; }
    // False when the other end has gone.
    bool writeLine(std::string_view line);
    // Waits at most the timeout for a whole line; a negative timeout waits for ever.
    ReadResult readLine(std::chrono::milliseconds timeout);
    void close();

private:
    std::optional<std::string> takeBufferedLine();

    int m_descriptor;
    std::string m_buffer;
};
