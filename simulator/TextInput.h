#pragma once

#include "platform/foundation/ErrorOr.h"

#include <istream>
#include <memory>
#include <streambuf>
#include <string>

// The text `corvane-sim type` types: a regular file, or standard input when
// the path is "-". It is read as it is typed, never whole. A signal the run
// catches (see Interruption) ends the text, even while a read waits for it.
class TextInput {
public:
    // A path that is not a regular file (a folder, a pipe) is refused
    // without blocking; an error says why it cannot be read.
    static ErrorOr<std::unique_ptr<TextInput>> open(const std::string& path);

    // Only open() makes one.
    struct Opened {
        explicit Opened() = default;
    };
    TextInput(Opened, int descriptor, bool ownsDescriptor);
    ~TextInput();
    TextInput(const TextInput&) = delete;
    TextInput& operator=(const TextInput&) = delete;

    std::istream& stream() { return m_stream; }

private:
    // Reads the descriptor in blocks; a failed read throws std::system_error
    // to whoever reads the buffer (TextLines says why).
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(int descriptor)
            : m_descriptor(descriptor)
        {
        }

    protected:
        int_type underflow() override;

    private:
        int m_descriptor;
        char m_block[64 * 1024];
    };

    int m_descriptor;
    bool m_ownsDescriptor;
    Buffer m_buffer;
    std::istream m_stream;
};
