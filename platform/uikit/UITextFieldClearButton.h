#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIButton.h"

// The small round grey button with a cross that empties a text field.
class PLATFORM_EXPORT UITextFieldClearButton final : public UIButton {
public:
    static Class* staticClass();
    static constexpr CGFloat diameter = 19;

    UITextFieldClearButton();

    void drawRectImpl(CGRect rect);
};
