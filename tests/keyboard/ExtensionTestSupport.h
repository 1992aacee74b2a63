#pragma once

#include "contracts/CorvaneContract.h"
#include "keyboard/ExtensionStartup.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/GestureTracking.h"
#include "keyboard/Settings.h"
#include "platform/foundation/DarwinNotifyCenter.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/keyboard/KeyboardTimer.h"
#include "platform/keyboard/SystemKeyboardPresenter.h"
#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKBKeyplaneView.h"
#include "platform/keyboard/UIKeyboard.h"
#include "platform/keyboard/UIKeyboardCache.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/UITextInput.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/TemporaryDeviceRoot.h"
#include "tests/support/TouchScreen.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

// Readable names in failure messages.
inline std::ostream& operator<<(std::ostream& stream, TypeMode mode)
{
    return stream << (mode == TypeMode::ShiftedKey ? "\"Shifted key\"" : "\"Alternate key\"");
}
inline std::ostream& operator<<(std::ostream& stream, Gesture gesture)
{
    return stream << (gesture == Gesture::FlickUp ? "\"Flick up\"" : "\"Slide up\"");
}
inline std::ostream& operator<<(std::ostream& stream, KeyboardKind kind)
{
    return stream << (kind == KeyboardKind::Standard  ? "standard"
                   : kind == KeyboardKind::WebAddress ? "web address"
                                                      : "e-mail");
}
inline std::ostream& operator<<(std::ostream& stream, LetterLayout layout)
{
    return stream << (layout == LetterLayout::QWERTY ? "QWERTY"
                   : layout == LetterLayout::QWERTZ  ? "QWERTZ"
                                                     : "AZERTY");
}

namespace extension_test {

// The extension's state as the tests read it: a few values at a time, each
// compared whole.

// What loadSettings made of the settings file.
struct LoadedSettings {
    TypeMode typeMode;
    Gesture gesture;
    friend bool operator==(const LoadedSettings&, const LoadedSettings&) = default;
    friend std::ostream& operator<<(std::ostream& stream, const LoadedSettings& settings)
    {
        return stream << settings.typeMode << " with " << settings.gesture;
    }
};
inline constexpr LoadedSettings alternateKeyFlickUp { TypeMode::AlternateKey, Gesture::FlickUp };
inline constexpr LoadedSettings shiftedKeySlideUp { TypeMode::ShiftedKey, Gesture::SlideUp };
inline LoadedSettings loadedSettings()
{
    return { extension.gTypeMode, extension.gFlickGesture };
}

// The flags the last keyplane switch set.
struct KeyplaneFlags {
    bool augmentationActive;
    bool shiftLockedAlternates;
    bool showAlternateLabels;
    friend bool operator==(const KeyplaneFlags&, const KeyplaneFlags&) = default;
    friend std::ostream& operator<<(std::ostream& stream, const KeyplaneFlags& flags)
    {
        return stream << "{ active " << flags.augmentationActive << ", shift-locked alternates "
                      << flags.shiftLockedAlternates << ", alternate labels " << flags.showAlternateLabels
                      << " }";
    }
};
inline KeyplaneFlags keyplaneFlags()
{
    return { extension.gAugmentationActive, extension.gShiftLockedAlternates,
        extension.gShowAlternateLabels };
}

// The gesture in progress.
inline NSObject* trackedKey()
{
    return extension.gesture.gTrackedKey();
}
inline bool alternateShown()
{
    return extension.gesture.gAlternateShown();
}
inline NSObject* heldKey()
{
    return extension.gesture.gHeldKey();
}
// No key tracked and no start point left behind.
inline bool nothingTracked()
{
    return !extension.gesture.gTrackedKey() && extension.gesture.gTrackStartPoint() == CGPoint {};
}

// A text field's input as the keyboard sees it: records what is typed.
class TypedText final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("ExtensionTestTypedText", NSObject::staticClass());
            addMethod(created, sel::insertText,
                [](NSObject* self, NSString text) { static_cast<TypedText*>(self)->text += text.utf8(); });
            addMethod(created, sel::deleteBackward, [](NSObject*) {});
            addMethod(created, sel::hasText,
                [](NSObject* self) { return !static_cast<TypedText*>(self)->text.empty(); });
            addMethod(created, sel::keyboardType,
                [](NSObject* self) { return static_cast<TypedText*>(self)->type; });
            return created;
        }();
        return cls;
    }
    explicit TypedText(int keyboardType)
        : NSObject(staticClass())
        , type(keyboardType)
    {
    }

    std::string text;
    int type;
};

inline constexpr CGSize portraitWindow { 320, 480 };
inline constexpr CGSize landscapeWindow { 568, 320 };

// Each test starts from the platform's own methods and fresh extension state,
// starts the extension and brings up the real platform keyboard on demand.
class ExtensionFixture : public testing::Test {
protected:
    void SetUp() override
    {
        runtimeRestoreRegisteredMethods();
        resetExtensionStateForTesting();
        deviceRoot = std::make_unique<TemporaryDeviceRoot>();
        NSLocale::setCurrentLocaleIdentifier("en_US");
        presenter = std::make_unique<SystemKeyboardPresenter>();
    }

    void TearDown() override
    {
        driver.touchCancel();
        presenter.reset();
        runtimeRestoreRegisteredMethods();
        DarwinNotifyCenter::shared().reset();
        NSLocale::setCurrentLocaleIdentifier("en_US");
        deviceRoot.reset();
    }

    // Starts the extension with a settings file holding "type" and "gesture"
    // (0 leaves a key out; no file at all when both are 0).
    void startExtension(int type = 0, int gesture = 0)
    {
        if (type || gesture)
            writeSettings(type, gesture);
        initializeExtension();
    }

    void writeSettings(int type, int gesture)
    {
        auto settings = NSMutableDictionary::dictionary();
        if (type)
            settings->setObject(type, contract::typeKey);
        if (gesture)
            settings->setObject(gesture, contract::gestureKey);
        writeSettingsFile(*settings);
    }
    void writeSettingsFile(const NSMutableDictionary& settings)
    {
        ASSERT_TRUE(
            static_cast<bool>(settings.writeToFile(deviceRoot->preparedPath(settingsFilePath), true)));
    }

    // Writes the settings and reads them, as the notification would.
    void useSettings(int type, int gesture)
    {
        writeSettings(type, gesture);
        loadSettings();
    }

    void present(int keyboardType = 0, CGSize windowSize = portraitWindow, const char* letterLayout = nullptr)
    {
        presenter->setLetterLayout(letterLayout ? findLetterLayout(letterLayout) : nullptr);
        window = UIWindow::make(CGRectMake(0, 0, windowSize.width, windowSize.height));
        input = makeRef<TypedText>(keyboardType);
        presenter->presentKeyboard(window.get(), input.get());
    }

    UIKeyboardImpl* impl() const
    {
        return static_cast<UIKeyboardImpl*>(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
    }
    UIKeyboardLayoutStar* layout() const { return TouchScreen::activeLayout(); }
    UIKBTree* keyplane() const { return static_cast<UIKBTree*>(send(layout(), sel::keyplane)); }
    UIKBTree* keyplaneNamed(const char* name) const
    {
        return static_cast<UIKBTree*>(send(layout(), sel::keyplaneNamed, NSString(name)));
    }
    void switchTo(const char* keyplaneName) { send(layout(), sel::setKeyplaneName, NSString(keyplaneName)); }

    static UIKBTree* keyOn(UIKBTree* plane, const char* name)
    {
        RefPtr<NSMutableArray> keys = send(plane, sel::keysByKeyName, NSString(name));
        return keys && keys->count() ? static_cast<UIKBTree*>(keys->objectAtIndex(0).object()) : nullptr;
    }
    // The first key on the shown keyplane whose represented string is this.
    UIKBTree* key(const char* represented) const
    {
        for (const Value& entry : *send(keyplane(), sel::keys)) {
            if (send(entry.object(), sel::representedString).isEqualToString(represented))
                return static_cast<UIKBTree*>(entry.object());
        }
        ADD_FAILURE() << "no key types " << represented;
        return nullptr;
    }
    static std::string property(NSObject* key, const char* entry)
    {
        Value value = send(key, sel::properties)->objectForKey(entry);
        if (value.isNil())
            return "(absent)";
        return value.isString() ? value.string().utf8() : std::to_string(value.intValue());
    }
    static CGPoint centerOf(NSObject* key)
    {
        CGRect frame = send(key, sel::frame);
        return { frame.midX(), frame.midY() };
    }

    // The popup the platform shows for the pressed key, if any.
    UIKBKeyView* popup() const { return layout() ? layout()->popupView() : nullptr; }
    std::string popupString() const { return send(send(popup(), sel::key), sel::representedString).utf8(); }

    std::unique_ptr<TemporaryDeviceRoot> deviceRoot;
    std::unique_ptr<SystemKeyboardPresenter> presenter;
    TouchScreen driver;
    RefPtr<UIWindow> window;
    RefPtr<TypedText> input;
};

// The extension fixture that also counts the redraw requests reaching the
// keyplane view, which still redraws as the platform would.
class KeyplaneRedrawFixture : public ExtensionFixture {
protected:
    void SetUp() override
    {
        ExtensionFixture::SetUp();
        keyplaneRedraws = 0;
        MSHookMessageEx(UIKBKeyplaneView::staticClass(), sel::setNeedsDisplay, countingSetNeedsDisplay,
            &platformSetNeedsDisplay);
    }

    static inline int keyplaneRedraws = 0;

private:
    static void countingSetNeedsDisplay(NSObject* self)
    {
        ++keyplaneRedraws;
        callImplementation(platformSetNeedsDisplay, self);
    }

    static inline decltype(sel::setNeedsDisplay)::Implementation platformSetNeedsDisplay = nullptr;
};

} // namespace extension_test
