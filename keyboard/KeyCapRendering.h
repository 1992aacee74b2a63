#pragma once

#include "platform/graphics/CGGeometry.h"

class NSObject;

// Replaces UIKBKeyplaneView drawRect:. After the platform's own drawing, draws
// the labels of every augmented key: the main label and, small and grey above
// it, the alternate. Records the orientation in gLandscape.
void keyplaneViewDrawRectReplacement(NSObject* keyplaneView, CGRect rect);

// Replaces UIKBKeyView drawRect:. After the platform's own drawing, draws the
// pop-up's large label (state 1) or the key cap's labels (state 4).
void keyViewDrawRectReplacement(NSObject* keyView, CGRect rect);
