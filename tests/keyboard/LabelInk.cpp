#include "LabelInk.h"

#include "keyboard/ExtensionState.h"
#include "platform/graphics/CGBitmapContext.h"
#include "platform/keyboard/UIKBValues.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>

namespace label_ink {

void PixelBox::include(int x, int y)
{
    if (isEmpty()) {
        *this = { x, y, x + 1, y + 1 };
        return;
    }
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x + 1);
    bottom = std::max(bottom, y + 1);
}

namespace {

using namespace extension_test;

// Every entry a label is drawn from, by the platform or by the extension.
constexpr const char* labelEntries[] = {
    UIKBProperty::displayString,
    UIKBProperty::variantDisplayString,
    contract::alternateEntry,
    contract::shiftLockedAlternateEntry,
};

// Takes the labels off every key of a keyplane and puts back one key's at a
// time; every key gets all of its own back at the end.
class LabelsTakenAway {
public:
    explicit LabelsTakenAway(const std::vector<NSObject*>& keys)
    {
        for (NSObject* key : keys) {
            NSMutableDictionary* properties = send(key, sel::properties);
            std::map<std::string, Value>& saved = m_saved[key];
            for (const char* entry : labelEntries) {
                Value value = properties->objectForKey(entry);
                if (!value.isNil())
                    saved.emplace(entry, value);
            }
            hide(key);
        }
    }
    ~LabelsTakenAway()
    {
        for (const auto& [key, saved] : m_saved)
            show(key);
    }
    LabelsTakenAway(const LabelsTakenAway&) = delete;
    LabelsTakenAway& operator=(const LabelsTakenAway&) = delete;

    void show(NSObject* key)
    {
        NSMutableDictionary* properties = send(key, sel::properties);
        for (const auto& [entry, value] : m_saved[key])
            properties->setObject(value, entry);
    }
    void hide(NSObject* key)
    {
        NSMutableDictionary* properties = send(key, sel::properties);
        for (const char* entry : labelEntries)
            properties->removeObjectForKey(entry);
        // An empty main label draws nothing, where a missing one may be left to the platform.
        properties->setObject(NSString(""), UIKBProperty::displayString);
    }

private:
    std::map<NSObject*, std::map<std::string, Value>> m_saved;
};

// The view drawn into a bitmap of its own size at the scale, its pixels kept.
class Drawing {
public:
    Drawing(UIView* view, CGFloat scale)
        : m_context(CGBitmapContextCreate(view->frame().width(), view->frame().height(), scale))
    {
        UIGraphicsPushContext(m_context.get());
        send(view, sel::drawRect, view->bounds());
        UIGraphicsPopContext();
        m_width = CGBitmapContextGetWidth(m_context.get());
        m_height = CGBitmapContextGetHeight(m_context.get());
        m_stride = CGBitmapContextGetBytesPerRow(m_context.get());
        const std::uint8_t* data = CGBitmapContextGetData(m_context.get());
        m_pixels.resize(m_width * m_height);
        for (std::size_t y = 0; y < m_height; ++y)
            std::memcpy(&m_pixels[y * m_width], data + y * m_stride, m_width * sizeof(std::uint32_t));
    }

    std::size_t width() const { return m_width; }
    std::size_t height() const { return m_height; }
    std::uint32_t at(std::size_t x, std::size_t y) const { return m_pixels[y * m_width + x]; }

private:
    CGContextPtr m_context;
    std::size_t m_width { 0 };
    std::size_t m_height { 0 };
    std::size_t m_stride { 0 };
    std::vector<std::uint32_t> m_pixels;
};

PixelBox inPixels(CGRect rect, CGFloat scale)
{
    return { static_cast<int>(std::floor(rect.minX() * scale)),
        static_cast<int>(std::floor(rect.minY() * scale)), static_cast<int>(std::ceil(rect.maxX() * scale)),
        static_cast<int>(std::ceil(rect.maxY() * scale)) };
}

// The cap as drawn, found by its pixels rather than by any frame: the pixels
// of the cap's colour joined to the middle of the key's touch area, with the
// one ring of blended pixels at its edge.
PixelBox drawnCap(const Drawing& blank, NSObject* key, CGFloat scale)
{
    CGRect touchArea = send(key, sel::frame);
    auto seedX = static_cast<std::size_t>(touchArea.midX() * scale);
    auto seedY = static_cast<std::size_t>(touchArea.midY() * scale);
    std::uint32_t capColour = blank.at(seedX, seedY);
    PixelBox area = inPixels(touchArea, scale);
    PixelBox cap;
    std::vector<bool> seen(blank.width() * blank.height());
    std::vector<std::pair<std::size_t, std::size_t>> pending { { seedX, seedY } };
    while (!pending.empty()) {
        auto [x, y] = pending.back();
        pending.pop_back();
        if (x >= blank.width() || y >= blank.height() || seen[y * blank.width() + x]
            || !area.contains(static_cast<int>(x), static_cast<int>(y)) || blank.at(x, y) != capColour)
            continue;
        seen[y * blank.width() + x] = true;
        cap.include(static_cast<int>(x), static_cast<int>(y));
        pending.insert(pending.end(), { { x + 1, y }, { x - 1, y }, { x, y + 1 }, { x, y - 1 } });
    }
    return { cap.left - 1, cap.top - 1, cap.right + 1, cap.bottom + 1 };
}

std::vector<NSObject*> keysOf(UIView* keyplaneView)
{
    std::vector<NSObject*> keys;
    NSMutableArray* list = send(send(keyplaneView, sel::keyplane), sel::keys);
    for (std::size_t index = 0; list && index < list->count(); ++index)
        keys.push_back(list->objectAtIndex(index).object());
    return keys;
}

} // namespace

std::vector<KeyInk> measureLabelInk(UIView* keyplaneView, CGFloat scale)
{
    std::vector<NSObject*> keys = keysOf(keyplaneView);
    std::vector<KeyInk> measured;
    std::vector<std::string> labels;
    for (NSObject* key : keys)
        labels.push_back(
            send(key, sel::properties)->objectForKey(UIKBProperty::displayString).string().utf8());
    // The labels are taken away by hand, behind the key loop that tells the
    // extension's kept pictures that keys changed: every drawing is made afresh.
    bool keptPictures = std::exchange(extension.gKeyplanePictures, false);
    LabelsTakenAway labelsAway(keys);
    Drawing blank(keyplaneView, scale);
    for (std::size_t index = 0; index < keys.size(); ++index) {
        NSObject* key = keys[index];
        labelsAway.show(key);
        Drawing labelled(keyplaneView, scale);
        labelsAway.hide(key);
        KeyInk ink { send(key, sel::name).utf8(), labels[index], drawnCap(blank, key, scale),
            inPixels(send(key, sel::paddedFrame), scale), {}, 0 };
        for (std::size_t y = 0; y < blank.height(); ++y) {
            for (std::size_t x = 0; x < blank.width(); ++x) {
                if (labelled.at(x, y) == blank.at(x, y))
                    continue;
                auto px = static_cast<int>(x);
                auto py = static_cast<int>(y);
                ink.ink.include(px, py);
                ink.pixelsOutsideCap += !ink.cap.contains(px, py);
            }
        }
        measured.push_back(std::move(ink));
    }
    extension.gKeyplanePictures = keptPictures;
    return measured;
}

namespace {

const char* keyboardWord(int keyboardType)
{
    return keyboardType == 3 ? "WebAddress" : keyboardType == 7 ? "Email" : "Standard";
}

Margins& margins(bool landscape, Corvane corvane)
{
    static Margins seen[2][3];
    return seen[landscape][static_cast<int>(corvane)];
}

// A capital without anything above it or below its baseline.
bool isPlainCapital(const std::string& label)
{
    return label.size() == 1 && label[0] >= 'A' && label[0] <= 'Z' && label[0] != 'Q' && label[0] != 'J';
}

} // namespace

const char* corvaneWord(Corvane corvane)
{
    switch (corvane) {
    case Corvane::Off:
        return "CorvaneOff";
    case Corvane::AlternateKey:
        return "AlternateKey";
    case Corvane::ShiftedKey:
        break;
    }
    return "ShiftedKey";
}

std::string KeyplaneCase::name() const
{
    std::string plane;
    for (const char* c = keyplane; *c; ++c) {
        if (*c != '-')
            plane += *c;
    }
    return std::string(letterLayout) + "_" + keyboardWord(keyboardType) + "_"
        + (landscape ? "Landscape" : "Portrait") + "_" + plane + "_" + corvaneWord(corvane);
}

void PrintTo(const KeyplaneCase& keyplaneCase, std::ostream* stream)
{
    *stream << keyplaneCase.name();
}

const Margins& marginsSeen(bool landscape, Corvane corvane)
{
    return margins(landscape, corvane);
}

void LabelInkOnCaps::showKeyplane(const KeyplaneCase& keyplaneCase)
{
    if (keyplaneCase.corvane != Corvane::Off)
        startExtension(keyplaneCase.corvane == Corvane::ShiftedKey ? contract::shiftedKeyType
                                                                   : contract::alternateKeyType);
    present(keyplaneCase.keyboardType, keyplaneCase.landscape ? landscapeWindow : portraitWindow,
        keyplaneCase.letterLayout);
    switchTo(keyplaneCase.keyplane);
    // The capitals get the labels of shift lock.
    if (std::string(keyplaneCase.keyplane) == "Capital-Letters")
        send(impl(), sel::setShiftLocked, true);
}

TEST_P(LabelInkOnCaps, EveryLabelLiesInsideItsOwnCap)
{
    constexpr CGFloat deviceScale = 2;
    const KeyplaneCase& keyplaneCase = GetParam();
    showKeyplane(keyplaneCase);
    ASSERT_EQ(send(layout(), sel::keyplaneName).utf8(), keyplaneCase.keyplane);
    bool singleLetters = keyplaneCase.corvane == Corvane::ShiftedKey
        && std::string(keyplaneCase.keyplane).find("Letters") != std::string::npos;

    Margins& seen = margins(keyplaneCase.landscape, keyplaneCase.corvane);
    int labelled = 0;
    for (const KeyInk& key : measureLabelInk(layout()->keyplaneView(), deviceScale)) {
        // The padded frame is the cap the user sees.
        EXPECT_TRUE(std::abs(key.cap.left - key.paddedFrame.left) <= 1
            && std::abs(key.cap.right - key.paddedFrame.right) <= 1
            && std::abs(key.cap.top - key.paddedFrame.top) <= 1
            && std::abs(key.cap.bottom - key.paddedFrame.bottom) <= 1)
            << key.keyName << ": its cap is drawn at x " << key.cap.left << "–" << key.cap.right << ", y "
            << key.cap.top << "–" << key.cap.bottom << " px; its padded frame is x " << key.paddedFrame.left
            << "–" << key.paddedFrame.right << ", y " << key.paddedFrame.top << "–" << key.paddedFrame.bottom;
        if (key.ink.isEmpty())
            continue;
        ++labelled;
        EXPECT_EQ(key.pixelsOutsideCap, 0)
            << key.keyName << " \"" << key.label << "\": its label's ink spans x " << key.ink.left << "–"
            << key.ink.right << ", y " << key.ink.top << "–" << key.ink.bottom << " px; its cap x "
            << key.cap.left << "–" << key.cap.right << ", y " << key.cap.top << "–" << key.cap.bottom;
        ++seen.keysMeasured;
        auto note = [&](Margin& margin, int pixels) {
            if (pixels < margin.pixels)
                margin = { pixels, "\"" + key.label + "\" on " + keyplaneCase.name() };
        };
        note(seen.left, key.ink.left - key.cap.left);
        note(seen.right, key.cap.right - key.ink.right);
        note(seen.top, key.ink.top - key.cap.top);
        note(seen.bottom, key.cap.bottom - key.ink.bottom);
        if (singleLetters && isPlainCapital(key.label)) {
            double below = (key.ink.top + key.ink.bottom) / 2.0 - (key.cap.top + key.cap.bottom) / 2.0;
            seen.letterBelowMiddleLeast = std::min(seen.letterBelowMiddleLeast, below);
            seen.letterBelowMiddleMost = std::max(seen.letterBelowMiddleMost, below);
        }
    }
    // Every character key has a label; a keyplane drawn without any is no check at all.
    EXPECT_GE(labelled, 20);
}

// The picture the extension keeps of the keyplane gives the bytes of a
// drawing made afresh.
TEST_P(LabelInkOnCaps, KeptPictureIsTheFreshDrawing)
{
    showKeyplane(GetParam());
    UIView* view = layout()->keyplaneView();
    auto drawn = [view] {
        CGContextPtr context = CGBitmapContextCreate(view->frame().width(), view->frame().height(), 2);
        UIGraphicsPushContext(context.get());
        send(view, sel::drawRect, view->bounds());
        UIGraphicsPopContext();
        return CGImageCopyPNGData(CGBitmapContextCreateImage(context.get()));
    };
    bool keptPictures = std::exchange(extension.gKeyplanePictures, false);
    // The first drawing settles the orientation the key views drawn within it take.
    drawn();
    NSData fresh = drawn();
    extension.gKeyplanePictures = true;
    EXPECT_EQ(drawn(), fresh) << "drawn and kept";
    EXPECT_EQ(drawn(), fresh) << "from the kept picture";
    extension.gKeyplanePictures = keptPictures;
}

} // namespace label_ink
