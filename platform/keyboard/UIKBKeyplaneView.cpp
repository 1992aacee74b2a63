#include "platform/keyboard/UIKBKeyplaneView.h"

#include "platform/graphics/CGBitmapContext.h"
#include "platform/keyboard/KeyCapPainter.h"
#include "platform/keyboard/KeyImageCache.h"
#include "platform/keyboard/UIKeyboardCache.h"
#include "platform/keyboard/UIKeyboardImpl.h"

Class* UIKBKeyplaneView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKBKeyplaneView", UIView::staticClass());
        addMethod<&UIKBKeyplaneView::keyplane>(created, sel::keyplane);
        addMethod<&UIKBKeyplaneView::drawRect>(created, sel::drawRect);
        return created;
    }();
    return cls;
}

UIKBKeyplaneView::UIKBKeyplaneView(CGRect frame)
    : UIView(frame, staticClass())
{
    // Touches are the layout controller's, the view under the keyboard's fingers.
    setUserInteractionEnabled(false);
}

void UIKBKeyplaneView::drawRect(CGRect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    KeyCapPainter::fillBackground(context, CGRectMake(0, 0, frame().width(), frame().height()));
    NSMutableArray* keys = send(m_keyplane.get(), sel::keys);
    if (!keys)
        return;
    bool useCache = send(UIKeyboardCache::staticClass(), sel::enabled);
    NSObject* keyboard = send(UIKeyboardImpl::staticClass(), sel::activeInstance);
    bool shifted = send(keyboard, sel::isShifted);
    bool shiftLocked = send(keyboard, sel::isShiftLocked);
    for (const Value& value : *keys) {
        auto* key = runtimeCast<UIKBTree>(value.object());
        if (!key)
            continue;
        if (useCache)
            drawKeyFromCache(context, key);
        else if (send(key, sel::displayType) == UIKBKeyDisplayTypeDynamicString)
            drawKeyThroughKeyView(context, key);
        else
            KeyCapPainter::drawKey(context, key, send(key, sel::paddedFrame), shifted, shiftLocked);
    }
}

UIKBKeyView* UIKBKeyplaneView::keyViewFor(UIKBTree* key)
{
    CGRect padded = send(key, sel::paddedFrame);
    RefPtr<UIKBKeyView>& view = m_keyViews[key];
    if (!view)
        view = makeRef<UIKBKeyView>(padded, key, UIKBKeyViewStateCap);
    return view.get();
}

void UIKBKeyplaneView::drawKeyThroughKeyView(CGContextRef context, UIKBTree* key)
{
    UIKBKeyView* view = keyViewFor(key);
    CGRect padded = send(key, sel::paddedFrame);
    CGContextSaveGState(context);
    CGContextTranslateCTM(context, padded.minX(), padded.minY());
    UIGraphicsPushContext(context);
    send(view, sel::drawRect, CGRectMake(0, 0, padded.width(), padded.height()));
    UIGraphicsPopContext();
    CGContextRestoreGState(context);
}

void UIKBKeyplaneView::drawKeyFromCache(CGContextRef context, UIKBTree* key)
{
    UIKBKeyView* view = keyViewFor(key);
    CGRect padded = send(key, sel::paddedFrame);
    NSString cacheKey = send(view, sel::cacheKey);
    KeyImageCache& cache = KeyImageCache::shared();
    CGImageRef image = cache.imageForKey(cacheKey);
    if (!image) {
        CGFloat scale = CGBitmapContextGetScale(context);
        CGContextPtr bitmap = CGBitmapContextCreate(padded.width(), padded.height(), scale > 0 ? scale : 1);
        if (!bitmap)
            return;
        UIGraphicsPushContext(bitmap.get());
        send(view, sel::drawRect, CGRectMake(0, 0, padded.width(), padded.height()));
        UIGraphicsPopContext();
        image = CGBitmapContextCreateImage(bitmap.get());
        cache.setImage(cacheKey, image);
    }
    CGContextDrawImage(context, padded, image);
}
