#pragma once

#include "platform/keyboard/KeyboardConfiguration.h"
#include "platform/keyboard/SystemKeyboardPresenter.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/uikit/UIWindow.h"

#include <memory>
#include <string>
#include <vector>

class TouchScreen;

// Who handles the keyboard's messages in a run: the platform alone (its own
// methods, key-image cache on or off) or the platform with the extension's
// replacements installed.
enum class BenchMode { PlatformCacheOn, PlatformCacheOff, Extension };

// The upward gesture the settings file chooses for the extension.
enum class BenchGesture { FlickUp, SlideUp };

// One process-wide keyboard set-up for the suites: a fresh temporary device
// root, the platform's own methods, fresh extension state, then either the
// extension started (with a settings file that chooses the gesture) or the
// platform left alone. Only one lives at a time.
class BenchKeyboard {
public:
    explicit BenchKeyboard(BenchMode mode, BenchGesture gesture = BenchGesture::FlickUp);
    BenchKeyboard(const BenchKeyboard&) = delete;
    BenchKeyboard& operator=(const BenchKeyboard&) = delete;
    ~BenchKeyboard();

    // Brings up a keyboard for a text input of this type in a window of this
    // size. A new presenter builds new keyboard trees, so nothing processed
    // by an earlier presentation is reused.
    void present(int keyboardType, CGSize windowSize, const char* letterLayout);

    UIKeyboardImpl* keyboardImpl() const;
    UIKeyboardLayoutStar* layout() const;
    void switchTo(const NSString& keyplaneName) const;
    UIKBTree* firstKeyNamed(const char* keyName) const;
    // The keys of the keyplane shown that type one small letter, in its order.
    std::vector<UIKBTree*> letterKeys() const;
    // The middle of the cap of that key on the keyplane shown, in the
    // keyboard's coordinates.
    CGPoint centerOfKeyNamed(const char* keyName) const;

    // Fingers on the keyboard, delivered as the platform's touch dispatch
    // delivers them; every suite's touches go through here. Fingers are
    // numbered; several may be down at once.
    void touchDown(CGPoint point, int finger = 0);
    void touchMove(CGPoint point, int finger = 0);
    void touchUp(CGPoint point, int finger = 0);
    // Lifts the finger where it is.
    void touchUp(int finger = 0);
    void touchCancel(int finger = 0);

    static constexpr CGSize portrait { 320, 480 };
    static constexpr CGSize landscape { 568, 320 };

private:
    std::string m_root;
    std::unique_ptr<SystemKeyboardPresenter> m_presenter;
    RefPtr<UIWindow> m_window;
    RefPtr<NSObject> m_input;
    std::unique_ptr<TouchScreen> m_driver;
};

// Bytes the allocator has handed out and not had back.
std::size_t heapBytesInUse();
// The process's resident memory in bytes.
std::size_t residentBytes();
