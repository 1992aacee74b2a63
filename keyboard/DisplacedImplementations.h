#pragma once

#include "platform/keyboard/KeyboardSelectors.h"

// The platform's implementations that the replacements stand in for, kept
// when they are installed so that each replacement can call the one it
// displaced. One that could not be replaced stays nothing, and calling
// nothing answers nothing.
struct DisplacedImplementations {
    decltype(sel::setShiftLocked)::Implementation setShiftLocked {};
    decltype(sel::drawRect)::Implementation keyplaneViewDrawRect {};
    decltype(sel::enabled)::Implementation cacheEnabled {};
    decltype(sel::displayString)::Implementation displayString {};
    decltype(sel::variantDisplayString)::Implementation variantDisplayString {};
    decltype(sel::didMoveToSuperview)::Implementation didMoveToSuperview {};
    decltype(sel::drawRect)::Implementation keyViewDrawRect {};
    decltype(sel::cacheKey)::Implementation cacheKey {};
    decltype(sel::keyHitTest)::Implementation keyHitTest {};
    decltype(sel::setKeyplaneName)::Implementation setKeyplaneName {};
    decltype(sel::touchUp)::Implementation touchUp {};
    decltype(sel::touchCancelled)::Implementation touchCancelled {};
    decltype(sel::touchDownWithKeyAtPoint)::Implementation touchDownWithKeyAtPoint {};
    decltype(sel::touchDragged)::Implementation touchDragged {};
};

extern DisplacedImplementations gDisplaced;
