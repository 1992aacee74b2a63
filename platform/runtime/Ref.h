#pragma once

#include <type_traits>
#include <utility>

// A counted reference that is never nothing: what a factory answers when it
// cannot fail, and what a caller holds when null is impossible. It converts
// to RefPtr (a reference that may be nothing) but never silently to a raw
// pointer; get() hands out one that carries no ownership.
//
// A Ref moved from is empty and may only be destroyed or assigned to.
template <typename T> class Ref {
public:
    Ref(const Ref& other)
        : m_object(other.m_object)
    {
        m_object->ref();
    }
    Ref(Ref&& other) noexcept
        : m_object(std::exchange(other.m_object, nullptr))
    {
    }
    template <typename U>
    requires std::is_convertible_v<U*, T*> Ref(const Ref<U>& other)
        : m_object(other.get())
    {
        m_object->ref();
    }
    template <typename U>
    requires std::is_convertible_v<U*, T*> Ref(Ref<U>&& other)
    noexcept
        : m_object(other.leakRef())
    {
    }
    ~Ref()
    {
        if (m_object)
            m_object->deref();
    }

    Ref& operator=(Ref other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }

    template <typename U> bool operator==(const U* other) const { return m_object == other; }
    template <typename U> bool operator==(const Ref<U>& other) const { return m_object == other.get(); }

    // Hands the reference to the caller, who must balance it with deref().
    [[nodiscard]] T* leakRef() { return std::exchange(m_object, nullptr); }

    // Takes over the reference a freshly created object starts with.
    template <typename U> friend Ref<U> adoptRef(U* object);

private:
    struct Adopting { };
    Ref(T* object, Adopting)
        : m_object(object)
    {
    }

    T* m_object;
};

template <typename T> Ref<T> adoptRef(T* object)
{
    return Ref<T>(object, typename Ref<T>::Adopting {});
}

template <typename T, typename... Args> Ref<T> makeRef(Args&&... args)
{
    return adoptRef(new T(std::forward<Args>(args)...)); // NOLINT: adopted at once
}
