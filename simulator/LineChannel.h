#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Lines of text over a stream socket, one request or reply per line. The
// channel owns its descriptor and closes it when it goes.
class LineChannel {
public:
    // Interrupted: a signal the process catches came while it waited (see Interruption).
    enum class ReadStatus { Line, TimedOut, Closed, Interrupted };
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
    // Tells the other end that nothing more comes (it reads the end of the stream).
    void finishWriting();
    // Waits at most the timeout for the other end to close, passing over what
    // it still sends; false when it is still open then, or on an interruption.
    bool waitUntilClosed(std::chrono::milliseconds timeout);
    void close();

private:
    std::optional<std::string> takeBufferedLine();

    int m_descriptor;
    std::string m_buffer;
};
