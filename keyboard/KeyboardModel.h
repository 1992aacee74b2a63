#pragma once

#include "platform/foundation/DictionaryKey.h"
#include "platform/keyboard/KeyboardSelectors.h"
#include "platform/keyboard/UIKBValues.h"
#include "platform/runtime/Class.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The extension's view of the platform keyboard: the few operations it uses
// on the keyboard's objects, as thin functions over the runtime's messages.
// Property dictionaries and arrays are plain objects rather than message
// receivers, so a missing one is handled here, once.

// The node's property entry; nothing when the node or the entry is missing.
inline Value nodeProperty(NSObject* node, const DictionaryKey& entry)
{
    NSMutableDictionary* properties = send(node, sel::properties);
    return properties ? properties->objectForKey(entry) : Value();
}

inline void setNodeProperty(NSObject* node, const DictionaryKey& entry, Value value)
{
    if (NSMutableDictionary* properties = send(node, sel::properties))
        properties->setObject(std::move(value), entry);
}

inline std::size_t countOf(const NSMutableArray* array)
{
    return array ? array->count() : 0;
}

// Nothing beyond the end, or for a missing array.
inline Value elementAt(const NSMutableArray* array, std::size_t index)
{
    return array ? array->objectAtIndex(index) : Value();
}

// An instance variable read by name; an integer comes back in the pointer's bits.
inline void* instanceVariable(NSObject* object, std::string_view name)
{
    void* value = nullptr;
    object_getInstanceVariable(object, name, &value);
    return value;
}

inline NSObject* objectInstanceVariable(NSObject* object, std::string_view name)
{
    return static_cast<NSObject*>(instanceVariable(object, name));
}

// Asks the layout controller's keyplane view, which it keeps in an instance
// variable, to redraw.
inline void redrawKeyplaneView(NSObject* layoutController)
{
    send(objectInstanceVariable(layoutController, "_keyplaneView"), sel::setNeedsDisplay);
}

inline int integerInstanceVariable(NSObject* object, std::string_view name)
{
    return static_cast<int>(reinterpret_cast<std::intptr_t>(instanceVariable(object, name)));
}

// A platform class by name, remembered once found: classes live for the process.
template <const char* Name> Class* platformClass()
{
    static Class* cls = nullptr;
    if (!cls)
        cls = objc_getClass(Name);
    return cls;
}

inline constexpr char UIKeyboardImplName[] = "UIKeyboardImpl";
inline constexpr char UIKeyboardName[] = "UIKeyboard";
inline constexpr char UIKBKeyViewName[] = "UIKBKeyView";

inline NSObject* activeKeyboardImpl()
{
    return send(platformClass<UIKeyboardImplName>(), sel::activeInstance);
}

// The layout controller of the active keyboard.
inline NSObject* activeLayoutController()
{
    return send(activeKeyboardImpl(), sel::layout);
}

inline NSObject* activeKeyboard()
{
    return send(platformClass<UIKeyboardName>(), sel::activeKeyboard);
}

// The platform's case-insensitive substring search.
inline bool nameContains(const NSString& name, const NSString& part)
{
    return name.rangeOfString(part, NSCaseInsensitiveSearch).location != NSNotFound;
}
