#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGContext.h"
#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/uikit/UIView.h"

#include <map>

// Draws the keyplane on screen: the keyboard's background and every key cap
// with its label. While the key-image cache is enabled, each key is painted
// from the image its key view rendered for the same cache key. Otherwise it
// draws the caps itself, except those of display type 8, whose key views
// draw them in place.
class PLATFORM_EXPORT UIKBKeyplaneView final : public UIView {
public:
    static Class* staticClass();

    explicit UIKBKeyplaneView(CGRect frame);

    void setKeyplane(RefPtr<UIKBTree> keyplane) { m_keyplane = std::move(keyplane); }

    // The platform's own implementations of the keyplane-view messages.
    NSObject* keyplane() { return m_keyplane.get(); }
    void drawRect(CGRect rect);

private:
    void drawKeyFromCache(CGContextRef context, UIKBTree* key);
    void drawKeyThroughKeyView(CGContextRef context, UIKBTree* key);
    UIKBKeyView* keyViewFor(UIKBTree* key);

    RefPtr<UIKBTree> m_keyplane;
    // The key views (in state 4) that render cached key images and the caps
    // of display type 8, one per key drawn.
    std::map<UIKBTree*, RefPtr<UIKBKeyView>> m_keyViews;
};
