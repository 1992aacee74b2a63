#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSSet.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Class.h"

Class* NSMutableArray::staticClass()
{
    static Class* cls = objc_allocateClass("NSMutableArray", NSObject::staticClass());
    return cls;
}

NSMutableArray::NSMutableArray()
    : NSObject(staticClass())
{
}

RefPtr<NSMutableArray> NSMutableArray::arrayWithValues(std::vector<Value> values)
{
    auto array = NSMutableArray::array();
    array->m_values = std::move(values);
    return array;
}

std::size_t NSMutableArray::indexOfObject(const Value& value) const
{
    for (std::size_t index = 0; index < m_values.size(); ++index) {
        if (m_values[index] == value)
            return index;
    }
    return NSNotFound;
}

Class* NSSet::staticClass()
{
    static Class* cls = objc_allocateClass("NSSet", NSObject::staticClass());
    return cls;
}

NSSet::NSSet()
    : NSObject(staticClass())
{
}

RefPtr<NSSet> NSSet::setWithObject(NSObject* object)
{
    auto set = makeRef<NSSet>();
    set->addObject(object);
    return set;
}

void NSSet::addObject(NSObject* object)
{
    if (object && !containsObject(object))
        m_objects.emplace_back(object);
}

Class* NSMutableDictionary::staticClass()
{
    static Class* cls = objc_allocateClass("NSMutableDictionary", NSObject::staticClass());
    return cls;
}

NSMutableDictionary::NSMutableDictionary()
    : NSObject(staticClass())
{
}

const Value& NSMutableDictionary::valueOrAbsent(const Value* value)
{
    static const Value absent;
    return value ? *value : absent;
}

const Value& NSMutableDictionary::objectForKey(std::string_view key) const
{
    return valueOrAbsent(m_entries.find(key));
}

void NSMutableDictionary::setObject(Value value, std::string_view key)
{
    setOrRemove(std::move(value), key);
}

void NSMutableDictionary::removeObjectForKey(std::string_view key)
{
    m_entries.remove(key);
}

RefPtr<NSMutableDictionary> NSMutableDictionary::dictionaryWithContentsOfFile(const std::string& path)
{
    auto contents = PropertyList::readFile(path);
    if (!contents || !contents.value().isDictionary())
        return nullptr;
    return RefPtr(contents.value().dictionary());
}

ErrorOr<void> NSMutableDictionary::writeToFile(const std::string& path, bool atomically) const
{
    return PropertyList::writeFile(*this, path, PropertyList::Format::XML, atomically);
}

RefPtr<NSMutableDictionary> NSMutableDictionary::mutableCopy() const
{
    auto copy = NSMutableDictionary::dictionary();
    copy->m_entries = m_entries;
    return copy;
}
