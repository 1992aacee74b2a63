#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/uikit/UIView.h"

// The balloon a long press on a key with accented variants opens in the
// keyboard's window: one cell per variant, the one under the finger selected.
class PLATFORM_EXPORT UIKBVariantsView final : public UIView {
public:
    static Class* staticClass();

    UIKBVariantsView(CGRect frame, RefPtr<NSMutableArray> variants);

    NSMutableArray* variants() const { return m_variants.get(); }
    std::size_t selectedIndex() const { return m_selectedIndex; }
    NSString selectedVariant() const { return m_variants->objectAtIndex(m_selectedIndex).string(); }
    CGFloat cellWidth() const;
    // Selects the cell under a point in the view's coordinates; points beyond
    // either end select the end cell.
    void selectAtPoint(CGPoint point);

    void drawRect(CGRect rect);

private:
    RefPtr<NSMutableArray> m_variants;
    std::size_t m_selectedIndex { 0 };
};
