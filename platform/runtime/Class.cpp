#include "platform/runtime/Class.h"

#include "platform/runtime/Message.h"
#include "platform/runtime/NSException.h"

#include <memory>
#include <unordered_map>

namespace {

struct ClassRegistry {
    std::unordered_map<std::string, Class*> classesByName;
    std::vector<RefPtr<Class>> classes;
};

// Classes live for the process, like the platform's own.
ClassRegistry& registry()
{
    static auto* classRegistry = new ClassRegistry; // NOLINT: intentionally never freed
    return *classRegistry;
}

} // namespace

std::uint64_t Class::s_methodGeneration = 1;

Class::Class(std::string name, Class* superclass, Class* metaclass, bool isMetaclass)
    : NSObject(metaclass)
    , m_name(std::move(name))
    , m_superclass(superclass)
    , m_metaclass(metaclass)
    , m_isMetaclass(isMetaclass)
{
}

Imp Class::ownImplementation(SelectorId selector) const
{
    auto found = m_methods.find(selector);
    return found == m_methods.end() ? nullptr : found->second;
}

Imp Class::lookupImplementation(SelectorId selector)
{
    if (m_cacheGeneration != s_methodGeneration) {
        m_dispatchCache.assign(m_dispatchCache.size(), nullptr);
        m_cacheGeneration = s_methodGeneration;
    }
    if (selector < m_dispatchCache.size() && m_dispatchCache[selector])
        return m_dispatchCache[selector];

    Imp implementation = nullptr;
    for (Class* current = this; current && !implementation; current = current->m_superclass)
        implementation = current->ownImplementation(selector);
    if (implementation) {
        if (selector >= m_dispatchCache.size())
            m_dispatchCache.resize(selectorCount() > selector ? selectorCount() : selector + 1, nullptr);
        m_dispatchCache[selector] = implementation;
    }
    return implementation;
}

void Class::addMethod(SelectorId selector, Imp implementation)
{
    m_methods[selector] = implementation;
    m_registeredMethods[selector] = implementation;
    ++s_methodGeneration;
}

void Class::replaceImplementation(SelectorId selector, Imp implementation)
{
    m_methods[selector] = implementation;
    ++s_methodGeneration;
}

const Ivar* Class::findIvar(std::string_view name) const
{
    for (const Ivar& ivar : m_ivars) {
        if (ivar.name == name)
            return &ivar;
    }
    return nullptr;
}

void Class::addIvar(std::string name, IvarReader reader)
{
    m_ivars.push_back({ std::move(name), reader });
}

void Class::restoreRegisteredMethods()
{
    m_methods = m_registeredMethods;
    ++s_methodGeneration;
}

Class* objc_allocateClass(std::string_view name, Class* superclass)
{
    ClassRegistry& classes = registry();
    if (Class* existing = objc_getClass(name))
        return existing;
    Class* superMetaclass = superclass ? superclass->metaclass() : nullptr;
    auto metaclass = adoptRef(new Class(std::string(name), superMetaclass, nullptr, true)); // NOLINT: adopted
    auto cls = adoptRef(new Class(std::string(name), superclass, metaclass.get(), false)); // NOLINT: adopted
    classes.classes.push_back(metaclass);
    classes.classes.push_back(cls);
    classes.classesByName.emplace(std::string(name), cls.get());
    return cls.get();
}

Class* objc_getClass(std::string_view name)
{
    auto& classesByName = registry().classesByName;
    auto found = classesByName.find(std::string(name));
    return found == classesByName.end() ? nullptr : found->second;
}

Class* object_getClass(const NSObject* object)
{
    return object ? object->isa() : nullptr;
}

const Ivar* object_getInstanceVariable(NSObject* object, std::string_view name, void** value)
{
    if (value)
        *value = nullptr;
    if (!object)
        return nullptr;
    for (Class* current = object->isa(); current; current = current->superclass()) {
        if (const Ivar* ivar = current->findIvar(name)) {
            if (value)
                *value = ivar->read(object);
            return ivar;
        }
    }
    return nullptr;
}

bool class_respondsToSelector(Class* cls, SelectorId selector)
{
    return cls && cls->instancesRespondToSelector(selector);
}

void runtimeRestoreRegisteredMethods()
{
    for (auto& cls : registry().classes)
        cls->restoreRegisteredMethods();
}

Imp resolveUncachedMessage(NSObject* receiver, SelectorId selector)
{
    Class* cls = receiver->isa();
    Imp implementation = cls ? cls->lookupImplementation(selector) : nullptr;
    if (!implementation) {
        throw NSException(NSInvalidArgumentException,
            std::string(cls && cls->isMetaclass() ? "+[" : "-[") + receiver->className() + " "
                + std::string(selectorName(selector)) + "]: unrecognized selector sent to "
                + (cls && cls->isMetaclass() ? "class" : "instance"));
    }
    return implementation;
}
