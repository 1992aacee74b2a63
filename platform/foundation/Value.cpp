#include "platform/foundation/Value.h"

#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/runtime/Class.h"

#include <cmath>
#include <limits>

Value::Value(NSString string)
{
    if (!string.isNil())
        m_storage = std::move(string);
}

Value::Value(RefPtr<NSMutableArray> array)
{
    if (array)
        m_storage = ObjectReference { RefPtr<NSObject>(array.get()), ObjectKind::Array };
}

Value::Value(RefPtr<NSMutableDictionary> dictionary)
{
    if (dictionary)
        m_storage = ObjectReference { RefPtr<NSObject>(dictionary.get()), ObjectKind::Dictionary };
}

Value::Value(RefPtr<NSObject> object)
{
    if (!object)
        return;
    ObjectKind kind = ObjectKind::Other;
    if (runtimeCast<NSMutableArray>(object.get()))
        kind = ObjectKind::Array;
    else if (runtimeCast<NSMutableDictionary>(object.get()))
        kind = ObjectKind::Dictionary;
    m_storage = ObjectReference { std::move(object), kind };
}

int Value::intValue() const
{
    if (const auto* integer = std::get_if<NSNumberInteger>(&m_storage))
        return static_cast<int>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(integer->value)));
    if (const auto* boolean = std::get_if<bool>(&m_storage))
        return *boolean ? 1 : 0;
    if (const auto* real = std::get_if<double>(&m_storage)) {
        if (std::isnan(*real))
            return 0;
        if (*real >= static_cast<double>(std::numeric_limits<int>::max()))
            return std::numeric_limits<int>::max();
        if (*real <= static_cast<double>(std::numeric_limits<int>::min()))
            return std::numeric_limits<int>::min();
        return static_cast<int>(*real);
    }
    if (const auto* string = std::get_if<NSString>(&m_storage))
        return string->intValue();
    return 0;
}

double Value::realValue() const
{
    if (const auto* real = std::get_if<double>(&m_storage))
        return *real;
    if (const auto* integer = std::get_if<NSNumberInteger>(&m_storage)) {
        return integer->isUnsigned ? static_cast<double>(static_cast<std::uint64_t>(integer->value))
                                   : static_cast<double>(integer->value);
    }
    return intValue();
}

NSNumberInteger Value::integer() const
{
    if (const auto* integer = std::get_if<NSNumberInteger>(&m_storage))
        return *integer;
    return { intValue(), false };
}

NSString Value::string() const
{
    if (const auto* string = std::get_if<NSString>(&m_storage))
        return *string;
    return {};
}

NSMutableArray* Value::array() const
{
    return isArray() ? static_cast<NSMutableArray*>(object()) : nullptr;
}

NSMutableDictionary* Value::dictionary() const
{
    return isDictionary() ? static_cast<NSMutableDictionary*>(object()) : nullptr;
}

NSObject* Value::object() const
{
    const auto* reference = std::get_if<ObjectReference>(&m_storage);
    return reference ? reference->object.get() : nullptr;
}

bool Value::operator==(const Value& other) const
{
    if (m_storage.index() != other.m_storage.index())
        return false;
    if (const auto* integer = std::get_if<NSNumberInteger>(&m_storage))
        return integer->value == std::get<NSNumberInteger>(other.m_storage).value;
    if (const auto* string = std::get_if<NSString>(&m_storage))
        return string->utf8() == std::get<NSString>(other.m_storage).utf8();
    if (const auto* date = std::get_if<NSDate>(&m_storage))
        return date->secondsSinceReferenceDate == std::get<NSDate>(other.m_storage).secondsSinceReferenceDate;
    if (isNil())
        return true;
    if (const auto* boolean = std::get_if<bool>(&m_storage))
        return *boolean == std::get<bool>(other.m_storage);
    if (const auto* real = std::get_if<double>(&m_storage))
        return *real == std::get<double>(other.m_storage);
    if (const auto* data = std::get_if<NSData>(&m_storage))
        return *data == std::get<NSData>(other.m_storage);
    return object() == other.object();
}
