#pragma once

#include "platform/uikit/UITableViewCell.h"

// The title block of the main page: the product name in large type with a
// two-line credit under it, drawn straight onto the grouped background with
// no cell border and no selection highlight.
class CorvaneTableViewCellTransparentSubtitle final : public UITableViewCell {
public:
    static constexpr CGFloat titleFontSize = 44.0F;
    static constexpr CGFloat creditFontSize = 15.0F;
    static constexpr CGFloat creditDropBelowMiddle = 14.0F;
    static constexpr const char* creditText = "by Sable and Jonah Wendt.\nThank you for your purchase!";

    static Class* staticClass();
    static RefPtr<CorvaneTableViewCellTransparentSubtitle> make(int style, NSString reuseIdentifier);

    CorvaneTableViewCellTransparentSubtitle();

    NSObject* initWithStyleReuseIdentifier(int style, NSString reuseIdentifier);
    void layoutSubviews();
};
