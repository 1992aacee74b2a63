#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/uikit/UIView.h"

// The view of one key. In state 1 it is the pop-up the platform places in the
// keyboard's window while a character key is held: a balloon whose head (the
// top part) shows the key large and whose stem covers the key cap. In state 4
// it renders a key cap for the key-image cache.
class PLATFORM_EXPORT UIKBKeyView final : public UIView {
public:
    static Class* staticClass();

    // headRect and capRect are in the view's own coordinates.
    UIKBKeyView(
        CGRect frame, UIKBTree* key, int state, CGRect headRect = CGRectZero, CGRect capRect = CGRectZero);

    CGRect headRect() const { return m_headRect; }
    CGRect capRect() const { return m_capRect; }
    void setState(int state) { m_state = state; }

    // The platform's own implementations of the key-view messages.
    NSObject* key() { return m_key.get(); }
    int state() { return m_state; }
    NSString cacheKey();
    void drawRect(CGRect rect);
    void didMoveToSuperview() { }

private:
    RefPtr<UIKBTree> m_key;
    int m_state;
    CGRect m_headRect;
    CGRect m_capRect;
};
