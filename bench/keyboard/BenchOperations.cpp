#include "bench/keyboard/BenchOperations.h"

#include "keyboard/KeyplaneImageCache.h"
#include "platform/keyboard/KeyboardSelectors.h"
#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKBKeyplaneView.h"

namespace {

constexpr int opensOnLetters = 0;
constexpr int opensOnNumbers = 2;
constexpr CGFloat drawingScale = 2;
constexpr int dragsPerFlick = 10;
// The drag's two points, a point apart, both within "q" and short of any gesture.
constexpr CGFloat dragOffsets[2] = { -2, -3 };
// Drawings made before any is measured: the first loads the fonts.
constexpr int warmUpDrawings = 2;

constexpr FirstSwitchCase cases[] = {
    { "QWERTY_Small_Letters", "QWERTY", opensOnNumbers, "Small-Letters", true },
    { "QWERTY_Capital_Letters", "QWERTY", opensOnLetters, "Capital-Letters", true },
    { "QWERTZ_Small_Letters", "QWERTZ", opensOnNumbers, "Small-Letters", true },
    { "QWERTZ_Capital_Letters", "QWERTZ", opensOnLetters, "Capital-Letters", true },
    { "AZERTY_Small_Letters", "AZERTY", opensOnNumbers, "Small-Letters", true },
    { "AZERTY_Capital_Letters", "AZERTY", opensOnLetters, "Capital-Letters", true },
    { "Numbers_And_Punctuation", "QWERTY", opensOnLetters, "Numbers-And-Punctuation", false },
    { "Numbers_And_Punctuation_Alternate", "QWERTY", opensOnLetters, "Numbers-And-Punctuation-Alternate",
        false },
};

constexpr const char* keyQ = "Latin-Small-Letter-Q";
constexpr const char* shiftKey = "Shift-Key";

constexpr DragCase drags[] = {
    { "drag", BenchGesture::FlickUp, DragKeys::Q },
    { "dragSlide", BenchGesture::SlideUp, DragKeys::Q },
    { "dragLetters", BenchGesture::FlickUp, DragKeys::EveryLetter },
    { "dragLettersSlide", BenchGesture::SlideUp, DragKeys::EveryLetter },
};

// A keyboard of the standard type in portrait, QWERTY, for the touch operations.
void presentStandard(BenchKeyboard& keyboard)
{
    keyboard.present(opensOnLetters, BenchKeyboard::portrait, "QWERTY");
}

} // namespace

std::span<const FirstSwitchCase> firstSwitchCases()
{
    return cases;
}

std::span<const DragCase> dragCases()
{
    return drags;
}

const char* dragFloorHitTestLabel(DragKeys keys)
{
    return keys == DragKeys::Q ? "dragFloor/keyHitTest" : "dragFloor/keyHitTestLetters";
}

RepeatedSwitch::RepeatedSwitch(BenchMode mode)
    : m_keyboard(mode)
    , m_names { NSString("Capital-Letters"), NSString("Small-Letters") }
{
    presentStandard(m_keyboard);
    m_keyboard.switchTo(m_names[0]);
    m_keyboard.switchTo(m_names[1]);
}

void RepeatedSwitch::run()
{
    m_keyboard.switchTo(m_names[m_next]);
    m_next ^= 1;
}

FirstSwitch::FirstSwitch(BenchMode mode, const FirstSwitchCase& which)
    : m_keyboard(mode)
    , m_case(which)
    , m_name(which.keyplane)
{
}

void FirstSwitch::prepare()
{
    m_keyboard.present(m_case.keyboardType, BenchKeyboard::portrait, m_case.letterLayout);
}

void FirstSwitch::run()
{
    m_keyboard.switchTo(m_name);
}

namespace {

// The middles of the keys the drags run on.
std::vector<CGPoint> dragStarts(const BenchKeyboard& keyboard, DragKeys keys)
{
    if (keys == DragKeys::Q)
        return { keyboard.centerOfKeyNamed(keyQ) };
    std::vector<CGPoint> starts;
    for (UIKBTree* letter : keyboard.letterKeys()) {
        CGRect frame = send(letter, sel::frame);
        starts.push_back({ frame.midX(), frame.midY() });
    }
    return starts;
}

} // namespace

Drag::Drag(BenchMode mode, BenchGesture gesture, DragKeys keys)
    : m_keyboard(mode, gesture)
{
    presentStandard(m_keyboard);
    m_starts = dragStarts(m_keyboard, keys);
    m_keyboard.touchDown(m_starts.front());
}

Drag::~Drag()
{
    m_keyboard.touchUp();
}

void Drag::prepare()
{
    m_keyboard.touchUp();
    m_key = (m_key + 1) % m_starts.size();
    m_keyboard.touchDown(m_starts[m_key]);
}

void Drag::run()
{
    CGPoint start = m_starts[m_key];
    m_keyboard.touchMove({ start.x, start.y + dragOffsets[m_next] });
    m_next ^= 1;
}

DragHitTest::DragHitTest(DragKeys keys)
    : m_keyboard(BenchMode::PlatformCacheOn)
{
    presentStandard(m_keyboard);
    m_keyboard.touchDown(m_keyboard.centerOfKeyNamed(keyQ));
    m_layout = m_keyboard.layout();
    for (CGPoint start : dragStarts(m_keyboard, keys))
        m_points.push_back({ start.x, start.y + dragOffsets[0] });
    m_point = m_points.front();
}

DragHitTest::~DragHitTest()
{
    m_keyboard.touchUp();
}

void DragHitTest::prepare()
{
    m_next = (m_next + 1) % m_points.size();
    m_point = m_points[m_next];
}

void DragHitTest::run()
{
    send(m_layout, sel::keyHitTest, m_point);
}

LongPressTimerRearm::LongPressTimerRearm()
    : m_keyboard(BenchMode::PlatformCacheOn)
{
    presentStandard(m_keyboard);
    m_keyboard.touchDown(m_keyboard.centerOfKeyNamed(keyQ));
    m_keyboardImpl = m_keyboard.keyboardImpl();
}

LongPressTimerRearm::~LongPressTimerRearm()
{
    m_keyboard.touchUp();
}

void LongPressTimerRearm::run()
{
    // The delay the extension re-arms it with.
    send(m_keyboardImpl, sel::touchLongPressTimerWithDelay, 0.5);
}

Tap::Tap(BenchMode mode)
    : m_keyboard(mode)
{
    presentStandard(m_keyboard);
    m_point = m_keyboard.centerOfKeyNamed(keyQ);
}

void Tap::run()
{
    m_keyboard.touchDown(m_point);
    m_keyboard.touchUp(m_point);
}

RolledPair::RolledPair(BenchMode mode)
    : m_keyboard(mode)
{
    presentStandard(m_keyboard);
    m_first = m_keyboard.centerOfKeyNamed(keyQ);
    m_second = m_keyboard.centerOfKeyNamed("Latin-Small-Letter-W");
}

void RolledPair::run()
{
    constexpr int firstThumb = 0;
    constexpr int secondThumb = 1;
    m_keyboard.touchDown(m_first, firstThumb);
    m_keyboard.touchDown(m_second, secondThumb);
    m_keyboard.touchUp(m_first, firstThumb);
    m_keyboard.touchUp(m_second, secondThumb);
}

Flick::Flick(BenchMode mode)
    : m_keyboard(mode)
{
    presentStandard(m_keyboard);
    m_start = m_keyboard.centerOfKeyNamed(keyQ);
}

void Flick::run()
{
    m_keyboard.touchDown(m_start);
    for (int step = 1; step <= dragsPerFlick; ++step)
        m_keyboard.touchMove({ m_start.x, m_start.y - static_cast<CGFloat>(step) * 4 });
    m_keyboard.touchUp({ m_start.x, m_start.y - dragsPerFlick * 4 });
}

ViewDrawing::ViewDrawing(BenchMode mode)
    : m_keyboard(mode)
{
}

ViewDrawing::~ViewDrawing()
{
    if (m_context)
        UIGraphicsPopContext();
}

void ViewDrawing::startDrawing(UIView* view)
{
    m_view = RefPtr(view);
    CGRect bounds = view->bounds();
    m_context = CGBitmapContextCreate(bounds.width(), bounds.height(), drawingScale);
    UIGraphicsPushContext(m_context.get());
    for (int drawing = 0; drawing < warmUpDrawings; ++drawing) {
        prepare();
        run();
    }
}

void ViewDrawing::prepare()
{
    CGContextClearRect(m_context.get(), m_view->bounds());
}

void ViewDrawing::run()
{
    send(m_view.get(), sel::drawRect, m_view->bounds());
}

KeyplaneDrawing::KeyplaneDrawing(BenchMode mode, CGSize window)
    : ViewDrawing(mode)
{
    m_keyboard.present(opensOnLetters, window, "QWERTY");
    startDrawing(m_keyboard.layout()->keyplaneView());
}

void KeyplaneDrawing::prepare()
{
    ViewDrawing::prepare();
    KeyplaneImageCache::shared().clear();
}

KeptKeyplaneDrawing::KeptKeyplaneDrawing(BenchMode mode, CGSize window)
    : ViewDrawing(mode)
{
    m_keyboard.present(opensOnLetters, window, "QWERTY");
    startDrawing(m_keyboard.layout()->keyplaneView());
}

ShiftTap::ShiftTap(BenchMode mode)
    : ViewDrawing(mode)
{
    presentStandard(m_keyboard);
    m_shift = m_keyboard.centerOfKeyNamed(shiftKey);
    // Both letters keyplanes shown and drawn once: the keyboard is warm.
    startDrawing(m_keyboard.layout()->keyplaneView());
    run();
    run();
}

void ShiftTap::run()
{
    m_keyboard.touchDown(m_shift);
    m_keyboard.touchUp(m_shift);
    ViewDrawing::run();
}

std::size_t keptKeyplanePictureBytes()
{
    return KeyplaneImageCache::shared().bytes();
}

PopupKeyViewDrawing::PopupKeyViewDrawing(BenchMode mode)
    : ViewDrawing(mode)
{
    presentStandard(m_keyboard);
    m_keyboard.touchDown(m_keyboard.centerOfKeyNamed(keyQ));
    startDrawing(m_keyboard.layout()->popupView());
}

PopupKeyViewDrawing::~PopupKeyViewDrawing()
{
    m_keyboard.touchCancel();
}

CapKeyViewDrawing::CapKeyViewDrawing(BenchMode mode)
    : ViewDrawing(mode)
{
    presentStandard(m_keyboard);
    UIKBTree* key = m_keyboard.firstKeyNamed(keyQ);
    CGRect padded = send(key, sel::paddedFrame);
    startDrawing(makeRef<UIKBKeyView>(padded, key, UIKBKeyViewStateCap).get());
}
