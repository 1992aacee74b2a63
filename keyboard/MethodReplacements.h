#pragma once

#include "keyboard/DisplacedImplementations.h"
#include "keyboard/DisplayControl.h"
#include "keyboard/GestureInput.h"
#include "keyboard/KeyCapRendering.h"
#include "keyboard/KeyplaneAugmentation.h"
#include "platform/keyboard/KeyboardSelectors.h"
#include "platform/runtime/Class.h"
#include "platform/substrate/Substrate.h"

#include <type_traits>

// Whether a replaced method is one of the class's instances or of the class itself.
enum class MethodKind { Instance, Class };

// One platform method the extension replaces: where it lives, what replaces
// it, and the implementation it displaced.
struct MethodReplacement {
    const char* className;
    MethodKind kind;
    SelectorId (*selector)();
    Imp (*replacement)();
    Imp (*displaced)();
    // Replaces the method in that method table, keeping the displaced one.
    void (*install)(Class* methodTable);
    void (*forgetDisplaced)();

    // The method table that holds the method, looked up by name: the
    // metaclass for a class operation. Nothing when the platform lacks the class.
    Class* methodTable() const
    {
        Class* cls = objc_getClass(className);
        return kind == MethodKind::Class && cls ? object_getClass(cls) : cls;
    }
};

// A replacement whose type does not match the selector's does not compile.
template <const auto& Selector, auto Replacement>
constexpr MethodReplacement replacing(const char* className, MethodKind kind = MethodKind::Instance)
{
    static_assert(std::is_same_v<decltype(Replacement),
        typename std::remove_cvref_t<decltype(Selector)>::Implementation>);
    return {
        className,
        kind,
        [] { return Selector.id(); },
        [] { return reinterpret_cast<Imp>(Replacement); },
        [] { return reinterpret_cast<Imp>(gDisplaced<Replacement>); },
        [](Class* methodTable) {
            MSHookMessageEx(methodTable, Selector, Replacement, &gDisplaced<Replacement>);
        },
        [] { gDisplaced<Replacement> = nullptr; },
    };
}

// The fourteen methods, in the order start-up replaces them.
inline constexpr MethodReplacement methodReplacements[] = {
    replacing<sel::setShiftLocked, setShiftLockedReplacement>("UIKeyboardImpl"),
    replacing<sel::drawRect, keyplaneViewDrawRectReplacement>("UIKBKeyplaneView"),
    replacing<sel::enabled, keyboardCacheEnabledReplacement>("UIKeyboardCache", MethodKind::Class),
    replacing<sel::displayString, displayStringReplacement>("UIKBTree"),
    replacing<sel::variantDisplayString, variantDisplayStringReplacement>("UIKBTree"),
    replacing<sel::didMoveToSuperview, didMoveToSuperviewReplacement>("UIKBKeyView"),
    replacing<sel::drawRect, keyViewDrawRectReplacement>("UIKBKeyView"),
    replacing<sel::cacheKey, cacheKeyReplacement>("UIKBKeyView"),
    replacing<sel::keyHitTest, keyHitTestReplacement>("UIKeyboardLayoutStar"),
    replacing<sel::setKeyplaneName, setKeyplaneNameReplacement>("UIKeyboardLayoutStar"),
    replacing<sel::touchUp, touchUpReplacement>("UIKeyboardLayoutStar"),
    replacing<sel::touchCancelled, touchCancelledReplacement>("UIKeyboardLayoutStar"),
    replacing<sel::touchDownWithKeyAtPoint, touchDownWithKeyAtPointReplacement>("UIKeyboardLayoutStar"),
    replacing<sel::touchDragged, touchDraggedReplacement>("UIKeyboardLayoutStar"),
};
