#pragma once

#include "platform/foundation/NSString.h"

class NSObject;

// The keyboard kind of a platform keyboard type: 1 standard, 2 web address,
// 3 e-mail, or 0 for a type the extension leaves alone.
int kindOfKeyboardType(int keyboardType);

// Replaces UIKeyboardLayoutStar setKeyplaneName:. Decides whether the
// extension is active on the new keyplane, lets the platform switch, then
// writes each eligible key's own string, alternates and markers into its
// properties and asks the keyplane view to redraw.
void setKeyplaneNameReplacement(NSObject* layoutController, NSString keyplaneName);
