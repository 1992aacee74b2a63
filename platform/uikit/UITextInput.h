#pragma once

#include "platform/foundation/NSString.h"
#include "platform/runtime/Message.h"

// What a keyboard types into: the focused text input answers these.
namespace sel {
inline constinit Selector<void(NSString)> insertText("insertText:");
inline constinit Selector<void()> deleteBackward("deleteBackward");
inline constinit Selector<bool()> hasText("hasText");
// The keyboard type the input asks for (the platform's UIKeyboardType numbers).
inline constinit Selector<int()> keyboardType("keyboardType");
} // namespace sel
