#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/UIAccessibility.h"

#include <string>
#include <vector>

class UIView;
class UIWindow;

// The texts a person sees in a window, each with where it is, so that a
// script can tap a view by its text or check that a text is on screen. They
// are found as a screen reader finds them: through the accessibility
// elements, so words a view draws itself count when the view names them.
struct ScreenText {
    std::string text;
    // In window coordinates.
    CGRect frame;
    UIAccessibilityTraits traits { UIAccessibilityTraitNone };
};

class ScreenTexts {
public:
    static std::vector<ScreenText> collect(UIWindow* window);
    // The first visible text equal to the one asked for; nothing when none is.
    static const ScreenText* find(const std::vector<ScreenText>& texts, const std::string& text);
    // "…", "…" and "…": for messages that say what is there instead.
    static std::string describe(const std::vector<ScreenText>& texts);

private:
    static void collectView(UIView* view, CGRect visible, std::vector<ScreenText>& texts);
};
