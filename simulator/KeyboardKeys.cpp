#include "simulator/KeyboardKeys.h"

#include "platform/keyboard/KeyboardTouchDriver.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "simulator/ScriptCommand.h"

#include <algorithm>
#include <cctype>

namespace {

// The platform's function keys by display type, as scripts name them.
struct FunctionKey {
    int displayType;
    const char* name;
};
constexpr FunctionKey functionKeys[] = {
    { UIKBKeyDisplayTypeShift, "shift" },
    { UIKBKeyDisplayTypeDelete, "delete" },
    { UIKBKeyDisplayTypeMore, "more" },
    { UIKBKeyDisplayTypeInternational, "international" },
    { UIKBKeyDisplayTypeSpace, "space" },
    { UIKBKeyDisplayTypeReturn, "return" },
};

bool isCharacterKey(NSObject* key)
{
    int type = send(key, sel::displayType);
    return type == UIKBKeyDisplayTypeString || type == UIKBKeyDisplayTypeDynamicString;
}

std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char character) { return static_cast<char>(std::tolower(character)); });
    return text;
}

// Keeps one listing line one line: control characters become escapes.
std::string printable(const NSString& text)
{
    if (text.isNil() || text.isEmpty())
        return "-";
    std::string shown;
    for (char character : text.utf8()) {
        if (character == '\n')
            shown += "\\n";
        else if (character == '\t')
            shown += "\\t";
        else if (character == '\\')
            shown += "\\\\";
        else
            shown += character;
    }
    return shown;
}

} // namespace

UIKeyboardLayoutStar* KeyboardKeys::activeLayout()
{
    return KeyboardTouchDriver::activeLayout();
}

NSString KeyboardKeys::keyplaneName()
{
    return send(activeLayout(), sel::keyplaneName);
}

std::vector<NSObject*> KeyboardKeys::keys()
{
    std::vector<NSObject*> keys;
    NSMutableArray* list = send(send(activeLayout(), sel::keyplane), sel::keys);
    for (std::size_t index = 0; list && index < list->count(); ++index)
        keys.push_back(list->objectAtIndex(index).object());
    return keys;
}

std::string KeyboardKeys::scriptName(NSObject* key)
{
    if (isCharacterKey(key))
        return send(key, sel::representedString).utf8();
    int type = send(key, sel::displayType);
    for (const FunctionKey& function : functionKeys) {
        if (function.displayType == type)
            return function.name;
    }
    return lowercase(send(key, sel::name).utf8());
}

NSObject* KeyboardKeys::find(const std::string& keyName, std::string& error)
{
    std::vector<NSObject*> onScreen = keys();
    if (!activeLayout()) {
        error = "no keyboard is on screen; focus a text field first with keyboard (or tap-text)";
        return nullptr;
    }
    // A character key's string first, so that a key typing "space" would not hide the space bar.
    for (NSObject* key : onScreen) {
        if (isCharacterKey(key) && send(key, sel::representedString).utf8() == keyName)
            return key;
    }
    std::string wanted = lowercase(keyName);
    for (NSObject* key : onScreen) {
        if (!isCharacterKey(key)
            && (scriptName(key) == wanted || lowercase(send(key, sel::name).utf8()) == wanted))
            return key;
    }
    std::string names;
    for (NSObject* key : onScreen)
        names += (names.empty() ? "" : " ") + scriptWord(scriptName(key));
    error = "unknown key " + quoteScriptString(keyName) + " on the keyplane "
        + quoteScriptString(keyplaneName().utf8()) + "; the keys there are: " + names;
    return nullptr;
}

CGPoint KeyboardKeys::centre(NSObject* key)
{
    CGRect frame = send(key, sel::frame);
    return { frame.midX(), frame.midY() };
}

NSString KeyboardKeys::property(NSObject* key, const char* entry)
{
    NSMutableDictionary* properties = send(key, sel::properties);
    if (!properties)
        return {};
    Value value = properties->objectForKey(entry);
    return value.string();
}

std::vector<std::string> KeyboardKeys::listing()
{
    std::vector<std::string> lines;
    for (NSObject* key : keys()) {
        lines.push_back(send(key, sel::name).utf8() + "\t" + printable(send(key, sel::representedString))
            + "\t" + printable(property(key, "KBrepresentedStringAlt")) + "\t"
            + printable(property(key, "KBrepresentedStringAltShiftLocked")));
    }
    return lines;
}

bool KeyboardKeys::switchKeyplane(const std::string& name, std::string& error)
{
    UIKeyboardLayoutStar* layout = activeLayout();
    if (!layout) {
        error = "no keyboard is on screen; focus a text field first with keyboard";
        return false;
    }
    if (!send(layout, sel::keyplaneNamed, NSString(name))) {
        std::string names;
        NSMutableArray* keyplanes = send(layout->keyboardTree(), sel::subtrees);
        for (std::size_t index = 0; keyplanes && index < keyplanes->count(); ++index)
            names += (names.empty() ? "" : ", ")
                + send(keyplanes->objectAtIndex(index).object(), sel::name).utf8();
        error = "this keyboard has no keyplane " + quoteScriptString(name) + "; it has " + names;
        return false;
    }
    send(layout, sel::setKeyplaneName, NSString(name));
    return true;
}
