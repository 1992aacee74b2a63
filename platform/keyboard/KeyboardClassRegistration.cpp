#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKBKeyplaneView.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKeyboard.h"
#include "platform/keyboard/UIKeyboardCache.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/uikit/UITouch.h"

namespace {

// The keyboard's classes exist from the moment the platform library loads, as
// on the device, so an extension injected at a host's start finds them by name
// before any keyboard has been shown.
__attribute__((constructor)) void registerKeyboardClasses()
{
    UIKBTree::staticClass();
    UIKBKeyView::staticClass();
    UIKBKeyplaneView::staticClass();
    UIKeyboardLayoutStar::staticClass();
    UIKeyboardImpl::staticClass();
    UIKeyboard::staticClass();
    UIKeyboardCache::staticClass();
    UITouch::staticClass();
}

} // namespace
