#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/NSObject.h"
#include "platform/runtime/Selector.h"

#include <map>
#include <string>
#include <vector>

// Type-erased implementation pointer, as the method table stores it. It is
// cast back to the selector's exact implementation type before every call.
using Imp = void (*)();

// Reads one instance variable of an object; integers come back in the
// pointer's bits, as the platform's run-time hands them out.
using IvarReader = void* (*)(NSObject* object);

struct Ivar {
    std::string name;
    IvarReader read;
};

// A class of the object runtime: a name, a superclass, a metaclass for class
// operations, a method table from selector to implementation and the instance
// variables that can be read by name. A class is itself an object whose class
// is its metaclass, so class operations are messages to it.
class PLATFORM_EXPORT Class final : public NSObject {
public:
    const std::string& name() const { return m_name; }
    Class* superclass() const { return m_superclass; }
    Class* metaclass() const { return m_metaclass; }
    bool isMetaclass() const { return m_isMetaclass; }

    // The implementation that a message with this selector reaches, walking up
    // the class chain; nothing when no class in the chain has one.
    Imp lookupImplementation(SelectorId selector);
    // The implementation the dispatch cache holds for the selector, when the
    // cache is current; nothing otherwise. Every message send tries it first.
    Imp cachedImplementation(SelectorId selector) const
    {
        return m_cacheGeneration == s_methodGeneration && selector < m_dispatchCache.size()
            ? m_dispatchCache[selector]
            : nullptr;
    }
    bool instancesRespondToSelector(SelectorId selector) { return lookupImplementation(selector); }

    // This class's own entry (not inherited); nothing when absent.
    Imp ownImplementation(SelectorId selector) const;

    // The platform's own method, registered with the class.
    void addMethod(SelectorId selector, Imp implementation);
    // A replacement; restoreRegisteredMethods undoes it.
    void replaceImplementation(SelectorId selector, Imp implementation);

    const Ivar* findIvar(std::string_view name) const;
    void addIvar(std::string name, IvarReader reader);

    // Brings every method table back to what registration gave it, so each
    // test starts from the platform's own behaviour.
    void restoreRegisteredMethods();

private:
    friend Class* objc_allocateClass(std::string_view, Class*);
    Class(std::string name, Class* superclass, Class* metaclass, bool isMetaclass);

    std::string m_name;
    Class* m_superclass;
    Class* m_metaclass;
    bool m_isMetaclass;
    std::map<SelectorId, Imp> m_methods;
    std::map<SelectorId, Imp> m_registeredMethods;
    std::vector<Ivar> m_ivars;
    std::vector<Imp> m_dispatchCache;
    std::uint64_t m_cacheGeneration { 0 };
    // Bumped by every change to any method table; a class's dispatch cache is
    // valid only for the generation it was filled in.
    static std::uint64_t s_methodGeneration;
};

// Creates and registers a class (and its metaclass); the class lives for the
// process. Registering a name twice answers the existing class.
PLATFORM_EXPORT Class* objc_allocateClass(std::string_view name, Class* superclass);

// The run-time's look-ups, as the extension uses them.
PLATFORM_EXPORT Class* objc_getClass(std::string_view name);
PLATFORM_EXPORT Class* object_getClass(const NSObject* object);
PLATFORM_EXPORT const Ivar* object_getInstanceVariable(NSObject* object, std::string_view name, void** value);
PLATFORM_EXPORT bool class_respondsToSelector(Class* cls, SelectorId selector);

// Undoes every method replacement in every class (for tests).
PLATFORM_EXPORT void runtimeRestoreRegisteredMethods();
