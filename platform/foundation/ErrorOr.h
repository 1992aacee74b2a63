#pragma once

#include <string>
#include <utility>
#include <variant>

// What went wrong, in words a log line or a test can show.
struct Error {
    std::string message;
};

// The result of an operation that can fail: a value or an error, never both.
// Errors travel as values so that no exception crosses the library's edge.
template <typename T> class [[nodiscard]] ErrorOr {
public:
    ErrorOr(T value)
        : m_storage(std::in_place_index<0>, std::move(value))
    {
    }
    ErrorOr(Error error)
        : m_storage(std::in_place_index<1>, std::move(error))
    {
    }

    bool hasValue() const { return m_storage.index() == 0; }
    explicit operator bool() const { return hasValue(); }

    T& value() { return std::get<0>(m_storage); }
    const T& value() const { return std::get<0>(m_storage); }
    T releaseValue() { return std::move(std::get<0>(m_storage)); }
    const Error& error() const { return std::get<1>(m_storage); }

private:
    std::variant<T, Error> m_storage;
};

template <> class [[nodiscard]] ErrorOr<void> {
public:
    ErrorOr() = default;
    ErrorOr(Error error)
        : m_error(std::move(error))
        , m_failed(true)
    {
    }

    bool hasValue() const { return !m_failed; }
    explicit operator bool() const { return hasValue(); }
    void releaseValue() { }
    const Error& error() const { return m_error; }

private:
    Error m_error;
    bool m_failed { false };
};

// Yields the value of an ErrorOr expression, or returns its error from the
// enclosing function (which answers an ErrorOr of any type). Use it as a
// whole initialiser or statement only: returning from inside a braced list or
// an argument list leaves what was already built there undestroyed.
#define TRY(expression)                                                                                      \
    __extension__({                                                                                          \
        auto&& tryResult = (expression);                                                                     \
        if (!tryResult)                                                                                      \
            return tryResult.error();                                                                        \
        tryResult.releaseValue();                                                                            \
    })
