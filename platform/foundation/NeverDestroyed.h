#pragma once

#include <new>
#include <utility>

// Holds a process-wide object that is built on first use and never torn
// down, so nothing it owns runs callbacks while the process exits.
template <typename T> class NeverDestroyed {
public:
    template <typename... Arguments> explicit NeverDestroyed(Arguments&&... arguments)
    {
        ::new (static_cast<void*>(m_storage)) T(std::forward<Arguments>(arguments)...);
    }
    NeverDestroyed(const NeverDestroyed&) = delete;
    NeverDestroyed& operator=(const NeverDestroyed&) = delete;

    T& get() { return *std::launder(reinterpret_cast<T*>(m_storage)); }

private:
    alignas(T) unsigned char m_storage[sizeof(T)];
};
