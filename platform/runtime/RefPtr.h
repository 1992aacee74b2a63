#pragma once

#include <cstddef>
#include <utility>

// Intrusive reference-counted pointer for runtime objects. A raw pointer
// returned next to a RefPtr never carries ownership.
template <typename T> class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) { }
    RefPtr(T* object)
        : m_object(object)
    {
        if (m_object)
            m_object->ref();
    }
    RefPtr(const RefPtr& other)
        : RefPtr(other.m_object)
    {
    }
    RefPtr(RefPtr&& other) noexcept
        : m_object(std::exchange(other.m_object, nullptr))
    {
    }
    template <typename U>
    RefPtr(const RefPtr<U>& other)
        : RefPtr(other.get())
    {
    }
    template <typename U>
    RefPtr(RefPtr<U>&& other) noexcept
        : m_object(other.leakRef())
    {
    }
    ~RefPtr()
    {
        if (m_object)
            m_object->deref();
    }

    RefPtr& operator=(RefPtr other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object; }
    operator T*() const { return m_object; }

    // Hands the reference to the caller, who must balance it with deref().
    [[nodiscard]] T* leakRef() { return std::exchange(m_object, nullptr); }

private:
    T* m_object { nullptr };
};

// Takes over the reference a freshly created object starts with.
template <typename T> RefPtr<T> adoptRef(T* object)
{
    RefPtr<T> pointer;
    pointer = RefPtr<T>(object);
    object->deref();
    return pointer;
}

template <typename T, typename... Args> RefPtr<T> makeRef(Args&&... args)
{
    return adoptRef(new T(std::forward<Args>(args)...)); // NOLINT: adopted at once
}
