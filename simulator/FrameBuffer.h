#pragma once

#include <cstddef>
#include <cstdint>

// A screen's pixels shared between a host process, which renders its window
// into it, and the driver, which shows them. It lives in anonymous shared
// memory, so nothing is left in the file system when both are gone.
class FrameBuffer {
public:
    // Room for the 320 x 568 point screen at 4x in either orientation, the
    // largest scale the window draws at.
    static constexpr std::uint32_t maximumPixels = 1280 * 2272;

    // Premultiplied ARGB, 32 bits per pixel in native byte order, rows of width pixels.
    struct Header {
        std::uint32_t width;
        std::uint32_t height;
        // Bumped by the host after each complete frame.
        std::uint64_t sequence;
    };

    // Makes a new buffer; invalid when the system refuses.
    static FrameBuffer create();
    // Maps a buffer handed over as a descriptor (the host's side).
    static FrameBuffer adopt(int descriptor);

    FrameBuffer(FrameBuffer&& other) noexcept;
    FrameBuffer& operator=(FrameBuffer&& other) noexcept;
    ~FrameBuffer();

    bool isValid() const { return m_memory != nullptr; }
    int descriptor() const { return m_descriptor; }
    Header& header() { return *static_cast<Header*>(m_memory); }
    std::uint32_t* pixels();

private:
    FrameBuffer(int descriptor, void* memory);
    static constexpr std::size_t byteSize() { return sizeof(Header) + std::size_t { maximumPixels } * 4; }

    int m_descriptor { -1 };
    void* m_memory { nullptr };
};
