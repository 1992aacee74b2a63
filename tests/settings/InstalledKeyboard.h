#pragma once

#include "platform/graphics/CGGeometry.h"

#include <memory>

class SystemKeyboardPresenter;
class TouchScreen;

// The platform's own keyboard, installed as the one text fields bring up
// while this object lives, with a finger to type on it.
class InstalledKeyboard {
public:
    InstalledKeyboard();
    ~InstalledKeyboard();
    InstalledKeyboard(const InstalledKeyboard&) = delete;
    InstalledKeyboard& operator=(const InstalledKeyboard&) = delete;

    bool isVisible() const;
    CGRect frame() const;
    // Taps the key of that name on the keyplane shown; false when there is none.
    bool tapKeyNamed(const char* keyName);

private:
    std::unique_ptr<SystemKeyboardPresenter> m_presenter;
    std::unique_ptr<TouchScreen> m_finger;
};
