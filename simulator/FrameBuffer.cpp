#include "simulator/FrameBuffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <utility>

FrameBuffer::FrameBuffer(int descriptor, void* memory)
    : m_descriptor(descriptor)
    , m_memory(memory)
{
}

FrameBuffer FrameBuffer::create()
{
    int descriptor = ::memfd_create("corvane-frame", MFD_CLOEXEC);
    if (descriptor < 0)
        return FrameBuffer(-1, nullptr);
    if (::ftruncate(descriptor, static_cast<off_t>(byteSize())) != 0) {
        ::close(descriptor);
        return FrameBuffer(-1, nullptr);
    }
    return adopt(descriptor);
}

FrameBuffer FrameBuffer::adopt(int descriptor)
{
    void* memory = ::mmap(nullptr, byteSize(), PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    if (memory == MAP_FAILED) {
        ::close(descriptor);
        return FrameBuffer(-1, nullptr);
    }
    return FrameBuffer(descriptor, memory);
}

FrameBuffer::FrameBuffer(FrameBuffer&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
    , m_memory(std::exchange(other.m_memory, nullptr))
{
}

FrameBuffer& FrameBuffer::operator=(FrameBuffer&& other) noexcept
{
    std::swap(m_descriptor, other.m_descriptor);
    std::swap(m_memory, other.m_memory);
    return *this;
}

FrameBuffer::~FrameBuffer()
{
    if (m_memory)
        ::munmap(m_memory, byteSize());
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

std::uint32_t* FrameBuffer::pixels()
{
    return reinterpret_cast<std::uint32_t*>(static_cast<unsigned char*>(m_memory) + sizeof(Header));
}
