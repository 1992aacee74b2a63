#pragma once

#include "ExtensionTestSupport.h"

#include <ostream>
#include <string>
#include <vector>

// Whether every label drawn on a keyplane lies on its own key's cap, found by
// pixels: the keyplane is drawn at the device's scale with every label taken
// away, then with one key's labels at a time, and the pixels each key's labels
// change must all lie inside that key's padded frame. The check runs on a few
// keyplanes with the other tests (LabelInkTests.cpp) and on every keyplane of
// every layout, kind, orientation and mode in label-ink-sweep
// (tools/check-label-ink).
namespace label_ink {

// A rectangle of whole device pixels, [left, right) × [top, bottom).
struct PixelBox {
    int left { 0 };
    int top { 0 };
    int right { 0 };
    int bottom { 0 };

    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    void include(int x, int y);
};

// Where one key's labels put ink, against its cap.
struct KeyInk {
    std::string keyName;
    std::string label;
    // The cap as its pixels show it, and the key's padded frame.
    PixelBox cap;
    PixelBox paddedFrame;
    // Empty when the key's labels changed no pixel.
    PixelBox ink;
    int pixelsOutsideCap { 0 };
};

// The ink of every key of the keyplane the view shows, drawn at the scale.
std::vector<KeyInk> measureLabelInk(UIView* keyplaneView, CGFloat scale);

// What the keyboard shows while its keyplane is drawn.
enum class Corvane { Off, AlternateKey, ShiftedKey };

struct KeyplaneCase {
    const char* letterLayout;
    int keyboardType; // 0 standard, 3 web address, 7 e-mail
    bool landscape;
    const char* keyplane;
    Corvane corvane;

    // For test names: "German_Email_Landscape_CapitalLetters_AlternateKey".
    std::string name() const;
};
// By name, so that CTest's test names stay the same from build to build.
void PrintTo(const KeyplaneCase& keyplaneCase, std::ostream* stream);

// Draws the case's keyplane and expects every label inside its own cap.
class LabelInkOnCaps : public extension_test::ExtensionFixture,
                       public testing::WithParamInterface<KeyplaneCase> {
protected:
    // The keyplane of the case, on screen.
    void showKeyplane(const KeyplaneCase& keyplaneCase);
};

// The smallest distance from a label's ink to its cap's edges, in device
// pixels, over every key measured so far in an orientation and mode, and
// where the label of a key drawn alone stands against its cap's middle.
struct Margin {
    int pixels { 1 << 20 };
    // The label and the keyplane it was least on.
    std::string where;
};
struct Margins {
    int keysMeasured { 0 };
    Margin left;
    Margin right;
    Margin top;
    Margin bottom;
    // The ink's vertical middle below the cap's, for single letters such as
    // "H" drawn alone: smallest and largest.
    double letterBelowMiddleLeast { 1e9 };
    double letterBelowMiddleMost { -1e9 };
};
const Margins& marginsSeen(bool landscape, Corvane corvane);
const char* corvaneWord(Corvane corvane);

} // namespace label_ink
