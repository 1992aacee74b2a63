#pragma once

#include <cstdint>
#include <memory>
#include <plist/plist.h>
#include <string>

// Owns one libplist tree (and everything under it). Private to the platform:
// no libplist type reaches a public header.
class PlistHandle {
public:
    PlistHandle() = default;
    explicit PlistHandle(plist_t node)
        : m_node(node)
    {
    }

    plist_t get() const { return m_node.get(); }
    explicit operator bool() const { return m_node != nullptr; }
    // Hands the tree to a libplist container that takes it over.
    plist_t release() { return m_node.release(); }

private:
    struct Deleter {
        void operator()(void* node) const { plist_free(node); }
    };
    std::unique_ptr<void, Deleter> m_node;
};

// Owns a buffer that libplist's serialisers allocate.
template <void (*Free)(char*)> class PlistBuffer {
public:
    PlistBuffer() = default;
    PlistBuffer(const PlistBuffer&) = delete;
    PlistBuffer& operator=(const PlistBuffer&) = delete;
    ~PlistBuffer()
    {
        if (m_data)
            Free(m_data);
    }
    char** data() { return &m_data; }
    uint32_t* length() { return &m_length; }
    std::string toString() const { return m_data ? std::string(m_data, m_length) : std::string(); }

private:
    char* m_data { nullptr };
    uint32_t m_length { 0 };
};
