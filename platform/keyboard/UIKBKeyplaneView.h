#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/uikit/UIView.h"

// Draws the keyplane on screen: the keyboard's background and every key cap
// with its label.
class PLATFORM_EXPORT UIKBKeyplaneView final : public UIView {
public:
    static Class* staticClass();

    explicit UIKBKeyplaneView(CGRect frame);

    void setKeyplane(UIKBTree* keyplane) { m_keyplane = keyplane; }

    // The platform's own implementations of the keyplane-view messages.
    NSObject* keyplane() { return m_keyplane.get(); }
    void drawRect(CGRect rect);

private:
    RefPtr<UIKBTree> m_keyplane;
};
