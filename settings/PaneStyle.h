#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"

// The pane's text look: a slate blue with a white shadow one point below,
// in the plain face for sentences and the bold face for tappable words.
namespace paneStyle {

inline constexpr const char* plainFontName = "HelveticaNeue";
inline constexpr const char* boldFontName = "HelveticaNeue-Bold";
inline constexpr CGSize textShadowOffset { 0, 1.0F };

inline RefPtr<UIColor> textColor()
{
    return UIColor::colorWithRedGreenBlueAlpha(76.0F / 255.0F, 86.0F / 255.0F, 106.0F / 255.0F, 1.0F);
}

inline RefPtr<UIFont> plainFont(CGFloat size)
{
    return UIFont::fontWithNameSize(plainFontName, size);
}

inline RefPtr<UIFont> boldFont(CGFloat size)
{
    return UIFont::fontWithNameSize(boldFontName, size);
}

} // namespace paneStyle
