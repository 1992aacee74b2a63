#include "platform/keyboard/UIKBKeyView.h"

#include "platform/keyboard/KeyCapPainter.h"
#include "platform/keyboard/UIKeyboardImpl.h"

#include <cmath>
#include <string>

Class* UIKBKeyView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKBKeyView", UIView::staticClass());
        addMethod<&UIKBKeyView::key>(created, sel::key);
        addMethod<&UIKBKeyView::state>(created, sel::state);
        addMethod<&UIKBKeyView::cacheKey>(created, sel::cacheKey);
        addMethod<&UIKBKeyView::drawRect>(created, sel::drawRect);
        addMethod<&UIKBKeyView::didMoveToSuperview>(created, sel::didMoveToSuperview);
        return created;
    }();
    return cls;
}

UIKBKeyView::UIKBKeyView(CGRect frame, UIKBTree* key, int state, CGRect headRect, CGRect capRect)
    : UIView(frame, staticClass())
    , m_key(key)
    , m_state(state)
    , m_headRect(headRect)
    , m_capRect(capRect)
{
    // A key view only shows a key: a finger landing on a pop-up presses the
    // key beneath it, as the layout controller finds keys by itself.
    setUserInteractionEnabled(false);
}

NSString UIKBKeyView::cacheKey()
{
    // Everything the rendered image depends on: which key, in which state and
    // size, with which label, and how the keyboard is shifted.
    NSObject* keyboard = send(UIKeyboardImpl::staticClass(), sel::activeInstance);
    std::string shift = send(keyboard, sel::isShiftLocked) ? "locked"
        : send(keyboard, sel::isShifted)                   ? "shifted"
                                                           : "plain";
    CGRect bounds = frame();
    std::string size = std::to_string(static_cast<int>(std::lround(bounds.width()))) + "x"
        + std::to_string(static_cast<int>(std::lround(bounds.height())));
    NSString label = send(m_key.get(), sel::displayString);
    return NSString::stringWithFormat("%@_%@_%@_%@_%@",
        { send(m_key.get(), sel::unhashedName), NSString(std::to_string(m_state)), NSString(size),
            NSString(shift), label.isNil() ? NSString("") : label });
}

void UIKBKeyView::drawRect(CGRect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (m_state == UIKBKeyViewStatePopup) {
        KeyCapPainter::drawPopup(context, m_key.get(), m_headRect, m_capRect);
        return;
    }
    if (m_state != UIKBKeyViewStateCap)
        return;
    // The view is the key's cap, its padded frame.
    CGRect padded = send(m_key.get(), sel::paddedFrame);
    CGRect cap = CGRectMake(0, 0, padded.width(), padded.height());
    NSObject* keyboard = send(UIKeyboardImpl::staticClass(), sel::activeInstance);
    KeyCapPainter::drawKey(
        context, m_key.get(), cap, send(keyboard, sel::isShifted), send(keyboard, sel::isShiftLocked));
}
