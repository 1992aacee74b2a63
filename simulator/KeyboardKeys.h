#pragma once

#include "platform/foundation/ErrorOr.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"

#include <string>
#include <vector>

class NSObject;
class UIKeyboardLayoutStar;

// The keys of the keyplane on screen, as a script names them: by the string a
// character key types ("q", "Q", "1", "\"") or by the platform's name for a
// function key ("space", "shift", "delete", "return", "more", …).
class KeyboardKeys {
public:
    static constexpr const char* noKeyboardOnScreen
        = "no keyboard is on screen; focus a text field first with keyboard (or tap-text)";

    // The layout controller of the keyboard on screen, or nothing.
    static UIKeyboardLayoutStar* activeLayout();
    static NSString keyplaneName();

    // The key a script means; an error that names the keys there are when there is none.
    static ErrorOr<NSObject*> find(const std::string& keyName);
    // The middle of a key's cap on the screen (in the window's coordinates).
    static CGPoint centreOnScreen(NSObject* key);
    // The key's stored entry, or nothing.
    static NSString property(NSObject* key, const char* entry);

    // Shows the keyplane of that name; an error with the names there are when the keyboard has none.
    static ErrorOr<void> switchKeyplane(const std::string& name);

    // One line per key: name, represented string, alternate and shift-lock
    // alternate, tab-separated; a field is empty where there is none, and
    // control characters are escaped.
    static std::vector<std::string> listing();

    // The keys of the keyplane on screen, in its order.
    static std::vector<NSObject*> keys();
    // How a script names the key.
    static std::string scriptName(NSObject* key);
};
