#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <string_view>
#include <typeinfo>

using SelectorId = std::uint32_t;

// Interns a selector name and returns its small dense number. The signature's
// type is recorded with the first use of a name; a second declaration of the
// same name with another signature is a programming error and aborts.
PLATFORM_EXPORT SelectorId internSelector(std::string_view name, const std::type_info& signature);
PLATFORM_EXPORT std::string_view selectorName(SelectorId selector);
PLATFORM_EXPORT SelectorId selectorCount();

class NSObject;

template <typename Signature> class Selector;

// A selector carries the signature of its methods, so a message sent with the
// wrong arguments, or an implementation of the wrong type, does not compile.
// Implementations take the receiver first, then the message's arguments.
template <typename Result, typename... Parameters> class Selector<Result(Parameters...)> {
public:
    using Implementation = Result (*)(NSObject* self, Parameters... parameters);
    using ResultType = Result;

    // Constant-initialised so that selectors are usable from any static
    // initialiser; the name is interned on first use.
    constexpr explicit Selector(const char* name)
        : m_name(name)
    {
    }

    SelectorId id() const
    {
        if (m_id == unresolved) [[unlikely]]
            m_id = internSelector(m_name, typeid(Result(Parameters...)));
        return m_id;
    }
    std::string_view name() const { return m_name; }

private:
    static constexpr SelectorId unresolved = ~SelectorId { 0 };
    const char* m_name;
    mutable SelectorId m_id { unresolved };
};
