#pragma once

#include "keyboard/ExtensionState.h"
#include "platform/foundation/NSString.h"

#include <optional>

class NSObject;

// The keyboard kind of a platform keyboard type (UIKeyboardType); nothing for
// a type the extension leaves alone.
std::optional<KeyboardKind> kindOfKeyboardType(int keyboardType);

// Replaces UIKeyboardLayoutStar setKeyplaneName:. Decides whether the
// extension is active on the new keyplane, lets the platform switch, then
// writes each eligible key's own string, alternates and markers into its
// properties and asks the keyplane view to redraw.
void setKeyplaneNameReplacement(NSObject* layoutController, NSString keyplaneName);
