#pragma once

#include "platform/foundation/NSString.h"

class NSObject;

// Keeps the platform out of the way of the extension's own key cap drawing:
// no labels of its own on augmented keys, no key images reused across
// represented strings, a redraw when shift lock changes the alternates, and
// each key's own string back once its pop-up has left the screen.

// Replaces the class operation UIKeyboardCache enabled: the cache is off.
bool keyboardCacheEnabledReplacement(NSObject* keyboardCacheClass);
// Replace UIKBTree displayString and variantDisplayString.
NSString displayStringReplacement(NSObject* key);
NSString variantDisplayStringReplacement(NSObject* key);
// Replaces UIKBKeyView cacheKey.
NSString cacheKeyReplacement(NSObject* keyView);
// Replaces UIKBKeyView didMoveToSuperview.
void didMoveToSuperviewReplacement(NSObject* keyView);
// Replaces UIKeyboardImpl setShiftLocked:.
void setShiftLockedReplacement(NSObject* keyboard, bool shiftLocked);
