#pragma once

#include "bench/keyboard/BenchKeyboard.h"
#include "platform/graphics/CGBitmapContext.h"

#include <cstddef>
#include <span>
#include <vector>

// One operation the suites measure, on a keyboard set up for it. The time
// suites (Google Benchmark) and the instruction counts (callgrind) run the
// same operations, so the two tables measure the same work.
class BenchOperation {
public:
    BenchOperation() = default;
    BenchOperation(const BenchOperation&) = delete;
    BenchOperation& operator=(const BenchOperation&) = delete;
    virtual ~BenchOperation() = default;

    // Work that must come before each operation but is not part of it; it is
    // neither timed nor counted.
    virtual bool needsPreparation() const { return false; }
    virtual void prepare() { }
    virtual void run() = 0;
};

// Nothing at all: what measuring costs by itself, taken off the counts.
class NoOperation final : public BenchOperation {
public:
    void run() override { }
};

// Switching back and forth between two letters keyplanes that have both been shown.
class RepeatedSwitch final : public BenchOperation {
public:
    explicit RepeatedSwitch(BenchMode mode);
    void run() override;

private:
    BenchKeyboard m_keyboard;
    NSString m_names[2];
    std::size_t m_next { 0 };
};

struct FirstSwitchCase {
    const char* label;
    const char* letterLayout; // a row of the letter-layout table, by name
    int keyboardType; // chosen so that the keyboard opens on another keyplane
    const char* keyplane;
    bool hasGoal; // letters keyplanes; the punctuation ones are for comparison
};
std::span<const FirstSwitchCase> firstSwitchCases();

// The first switch to a keyplane of a newly built keyboard, so that every key
// is seen for the first time; the keyboard is built in the preparation.
class FirstSwitch final : public BenchOperation {
public:
    FirstSwitch(BenchMode mode, const FirstSwitchCase& which);
    bool needsPreparation() const override { return true; }
    void prepare() override;
    void run() override;

private:
    BenchKeyboard m_keyboard;
    FirstSwitchCase m_case;
    NSString m_name;
};

// Which keys the drags run on: "q" alone, the first key of the keyplane and so
// the platform's cheapest hit test, or every letter in turn.
enum class DragKeys { Q, EveryLetter };

// The drags measured, each named after the keys and the gesture.
struct DragCase {
    const char* label;
    BenchGesture gesture;
    DragKeys keys;
};
std::span<const DragCase> dragCases();
// The name of the floor's hit test at the drag's points.
const char* dragFloorHitTestLabel(DragKeys keys);

// One move of a finger resting on a key, a point up or down within the key.
// Across the letters, the finger is put down on the next letter before each.
class Drag final : public BenchOperation {
public:
    Drag(BenchMode mode, BenchGesture gesture, DragKeys keys);
    ~Drag() override;
    bool needsPreparation() const override { return m_starts.size() > 1; }
    void prepare() override;
    void run() override;

private:
    BenchKeyboard m_keyboard;
    std::vector<CGPoint> m_starts;
    std::size_t m_key { 0 };
    std::size_t m_next { 0 };
};

// What a drag cannot do without, for the extension: one hit test and one
// re-arming of the long-press timer, each as the platform does it alone, with
// a finger resting on "q" as in the drag; the hit test at the drag's points.
class DragHitTest final : public BenchOperation {
public:
    explicit DragHitTest(DragKeys keys);
    ~DragHitTest() override;
    // The next point is picked outside the count.
    bool needsPreparation() const override { return m_points.size() > 1; }
    void prepare() override;
    void run() override;

private:
    BenchKeyboard m_keyboard;
    UIKeyboardLayoutStar* m_layout;
    std::vector<CGPoint> m_points;
    std::size_t m_next { 0 };
    CGPoint m_point;
};

class LongPressTimerRearm final : public BenchOperation {
public:
    LongPressTimerRearm();
    ~LongPressTimerRearm() override;
    void run() override;

private:
    BenchKeyboard m_keyboard;
    UIKeyboardImpl* m_keyboardImpl;
};

// Down on "q" and up: one key typed.
class Tap final : public BenchOperation {
public:
    explicit Tap(BenchMode mode);
    void run() override;

private:
    BenchKeyboard m_keyboard;
    CGPoint m_point;
};

// Two thumbs roll "q" and "w": "w" goes down while "q" is held (which commits
// "q"), then both lift in the order they went down.
class RolledPair final : public BenchOperation {
public:
    explicit RolledPair(BenchMode mode);
    void run() override;

private:
    BenchKeyboard m_keyboard;
    CGPoint m_first;
    CGPoint m_second;
};

// Down on "q", ten moves straight up past the flick distance, up.
class Flick final : public BenchOperation {
public:
    explicit Flick(BenchMode mode);
    void run() override;

private:
    BenchKeyboard m_keyboard;
    CGPoint m_start;
};

// Drawing one view at 2× into a bitmap that is cleared before each drawing.
// The first drawings load the fonts; they are made before any is measured.
class ViewDrawing : public BenchOperation {
public:
    ~ViewDrawing() override;
    bool needsPreparation() const override { return true; }
    void prepare() override;
    void run() override;

protected:
    explicit ViewDrawing(BenchMode mode);
    void startDrawing(UIView* view);

    BenchKeyboard m_keyboard;

private:
    RefPtr<UIView> m_view;
    CGContextPtr m_context;
};

// The whole keyplane view, labels included (the key-image cache off). A
// first drawing: the pictures the extension keeps are let go before each.
class KeyplaneDrawing final : public ViewDrawing {
public:
    KeyplaneDrawing(BenchMode mode, CGSize window);
    void prepare() override;
};

// The keyplane view drawn again, unchanged since it was last drawn: the
// extension shows the picture it kept, the platform with its cache on paints
// its key images.
class KeptKeyplaneDrawing final : public ViewDrawing {
public:
    KeptKeyplaneDrawing(BenchMode mode, CGSize window);
};

// A tap on shift on a keyboard that has shown both letters keyplanes: the
// switch to the other one and its drawing.
class ShiftTap final : public ViewDrawing {
public:
    explicit ShiftTap(BenchMode mode);
    void run() override;

private:
    CGPoint m_shift;
};

// The pixels of the keyplane pictures the extension keeps.
std::size_t keptKeyplanePictureBytes();

// The pop-up a pressed "q" shows (key view state 1).
class PopupKeyViewDrawing final : public ViewDrawing {
public:
    explicit PopupKeyViewDrawing(BenchMode mode);
    ~PopupKeyViewDrawing() override;
};

// The cap of "q" as a key view renders it for the key-image cache (state 4).
class CapKeyViewDrawing final : public ViewDrawing {
public:
    explicit CapKeyViewDrawing(BenchMode mode);
};
