#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <variant>
#include <vector>

class NSMutableArray;
class NSMutableDictionary;

struct NSNumberInteger {
    std::int64_t value;
    bool isUnsigned;
};
struct NSDate {
    double secondsSinceReferenceDate;
};
using NSData = std::vector<std::uint8_t>;

// One value of a dictionary or array: nothing, a number (boolean, integer,
// unsigned integer, real), a string, data, a date, an array, a dictionary or
// any other runtime object. Arrays and dictionaries are shared, mutable
// objects, so a dictionary fetched from another stays the same dictionary.
class PLATFORM_EXPORT Value {
public:
    Value() = default;
    Value(std::nullptr_t) { }
    Value(bool boolean)
        : m_storage(boolean)
    {
    }
    Value(int integer)
        : m_storage(NSNumberInteger { integer, false })
    {
    }
    Value(std::int64_t integer)
        : m_storage(NSNumberInteger { integer, false })
    {
    }
    Value(NSNumberInteger integer)
        : m_storage(integer)
    {
    }
    Value(double real)
        : m_storage(real)
    {
    }
    Value(NSString string);
    Value(const char* string)
        : Value(NSString(string))
    {
    }
    Value(NSData data)
        : m_storage(std::move(data))
    {
    }
    Value(NSDate date)
        : m_storage(date)
    {
    }
    Value(RefPtr<NSMutableArray> array);
    Value(RefPtr<NSMutableDictionary> dictionary);
    Value(RefPtr<NSObject> object);

    static Value unsignedInteger(std::uint64_t value)
    {
        return Value(NSNumberInteger { static_cast<std::int64_t>(value), true });
    }

    bool isNil() const { return std::holds_alternative<std::monostate>(m_storage); }
    bool isNumber() const { return isBoolean() || isInteger() || isReal(); }
    bool isBoolean() const { return std::holds_alternative<bool>(m_storage); }
    bool isInteger() const { return std::holds_alternative<NSNumberInteger>(m_storage); }
    bool isReal() const { return std::holds_alternative<double>(m_storage); }
    bool isString() const { return std::holds_alternative<NSString>(m_storage); }
    bool isData() const { return std::holds_alternative<NSData>(m_storage); }
    bool isDate() const { return std::holds_alternative<NSDate>(m_storage); }
    bool isArray() const { return objectKind() == ObjectKind::Array; }
    bool isDictionary() const { return objectKind() == ObjectKind::Dictionary; }
    bool isObject() const { return objectKind() == ObjectKind::Other; }

    // The platform's intValue: numbers and numeric strings give their value
    // (wider integers keep their low 32 bits, as the platform's conversion
    // does); nothing, arrays, dictionaries, data, dates and objects have no
    // integer reading and give 0, as an absent value does.
    int intValue() const;
    bool boolValue() const { return intValue() != 0 || (isReal() && realValue() != 0.0); }
    double realValue() const;
    NSNumberInteger integer() const;

    // Nil unless the value is a string.
    NSString string() const;
    const NSData* data() const { return std::get_if<NSData>(&m_storage); }
    const NSDate* date() const { return std::get_if<NSDate>(&m_storage); }
    NSMutableArray* array() const;
    NSMutableDictionary* dictionary() const;
    NSObject* object() const;

    // Equal kind and content; arrays, dictionaries and objects compare by identity.
    bool operator==(const Value& other) const;

private:
    enum class ObjectKind { None, Array, Dictionary, Other };
    struct ObjectReference {
        RefPtr<NSObject> object;
        ObjectKind kind;
    };
    ObjectKind objectKind() const
    {
        const auto* reference = std::get_if<ObjectReference>(&m_storage);
        return reference ? reference->kind : ObjectKind::None;
    }

    std::variant<std::monostate, bool, NSNumberInteger, double, NSString, NSData, NSDate, ObjectReference>
        m_storage;
};
