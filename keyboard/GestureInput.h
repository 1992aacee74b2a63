#pragma once

#include "platform/graphics/CGGeometry.h"

class NSObject;

// The upward gesture that types a key's alternate: the five replacements of
// UIKeyboardLayoutStar's touch handling. The extension types nothing itself;
// it swaps the pressed key's represented string, which the platform types
// when the finger lifts.
void touchDownWithKeyAtPointReplacement(NSObject* layoutController, NSObject* key, CGPoint point);
void touchDraggedReplacement(NSObject* layoutController, NSObject* touch);
void touchUpReplacement(NSObject* layoutController, NSObject* touch);
void touchCancelledReplacement(NSObject* layoutController, NSObject* touch);
NSObject* keyHitTestReplacement(NSObject* layoutController, CGPoint point);

// The pop-up key view the platform shows above a pressed key: the first key
// view among the subviews of the active keyboard's window; nothing if none.
NSObject* findKeyPopupView();

// Gives the key in the pop-up its own string back, in place of its alternate.
void putOwnStringBack();
