#pragma once

#include "platform/runtime/Ref.h"

#include <cstddef>
#include <type_traits>
#include <utility>

// Intrusive reference-counted pointer for runtime objects, or nothing. A raw
// pointer becomes one only explicitly and comes back only through get(), so
// every place that takes a reference shows in the code. A raw pointer
// returned next to a RefPtr never carries ownership.
template <typename T> class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) { }
    explicit RefPtr(T* object)
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
    requires std::is_convertible_v<U*, T*> RefPtr(const RefPtr<U>& other)
        : RefPtr(other.get())
    {
    }
    template <typename U>
    requires std::is_convertible_v<U*, T*> RefPtr(RefPtr<U>&& other)
    noexcept
        : m_object(other.leakRef())
    {
    }
    template <typename U>
    requires std::is_convertible_v<U*, T*> RefPtr(const Ref<U>& other)
        : RefPtr(other.get())
    {
    }
    template <typename U>
    requires std::is_convertible_v<U*, T*> RefPtr(Ref<U>&& other)
    noexcept
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

    bool operator==(std::nullptr_t) const { return !m_object; }
    template <typename U> bool operator==(const U* other) const { return m_object == other; }
    template <typename U> bool operator==(const RefPtr<U>& other) const { return m_object == other.get(); }
    template <typename U> bool operator==(const Ref<U>& other) const { return m_object == other.get(); }

    // Hands the reference to the caller, who must balance it with deref().
    [[nodiscard]] T* leakRef() { return std::exchange(m_object, nullptr); }

private:
    T* m_object { nullptr };
};
