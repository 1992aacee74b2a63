#pragma once

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
    // The layout controller of the keyboard on screen, or nothing.
    static UIKeyboardLayoutStar* activeLayout();
    static NSString keyplaneName();

    // The key a script means; nothing, with a message that names the keys
    // there are, when there is none.
    static NSObject* find(const std::string& keyName, std::string& error);
    // The middle of a key's cap in the keyboard's coordinates.
    static CGPoint centre(NSObject* key);
    // The key's stored entry, or nothing.
    static NSString property(NSObject* key, const char* entry);

    // Shows the keyplane of that name; false, with the names there are, when the keyboard has none.
    static bool switchKeyplane(const std::string& name, std::string& error);

    // One line per key: name, represented string, "KBrepresentedStringAlt",
    // "KBrepresentedStringAltShiftLocked" ("-" where there is none), tab-separated.
    static std::vector<std::string> listing();

private:
    static std::vector<NSObject*> keys();
    static std::string scriptName(NSObject* key);
};
