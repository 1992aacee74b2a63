#include "simulator/KeyboardKeys.h"

#include "contracts/CorvaneContract.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "simulator/ScriptText.h"

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

std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char character) { return static_cast<char>(std::tolower(character)); });
    return text;
}

// One listing field: empty where there is nothing, as tab-separated files
// have it, and control characters escaped so that a line stays one line.
std::string listingField(const NSString& text)
{
    return text.isNil() ? std::string() : escapeControlCharacters(text.utf8());
}

} // namespace

UIKeyboardLayoutStar* KeyboardKeys::activeLayout()
{
    return runtimeCast<UIKeyboardLayoutStar>(
        send(send(UIKeyboardImpl::staticClass(), sel::activeInstance), sel::layout));
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
    if (UIKeyboardLayoutStar::isCharacterKey(key))
        return send(key, sel::representedString).utf8();
    int type = send(key, sel::displayType);
    for (const FunctionKey& function : functionKeys) {
        if (function.displayType == type)
            return function.name;
    }
    return lowercase(send(key, sel::name).utf8());
}

ErrorOr<NSObject*> KeyboardKeys::find(const std::string& keyName)
{
    std::vector<NSObject*> onScreen = keys();
    if (!activeLayout())
        return Error { noKeyboardOnScreen };
    // A character key's string first, so that a key typing "space" would not hide the space bar.
    for (NSObject* key : onScreen) {
        if (UIKeyboardLayoutStar::isCharacterKey(key) && send(key, sel::representedString).utf8() == keyName)
            return key;
    }
    std::string wanted = lowercase(keyName);
    for (NSObject* key : onScreen) {
        if (!UIKeyboardLayoutStar::isCharacterKey(key)
            && (scriptName(key) == wanted || lowercase(send(key, sel::name).utf8()) == wanted))
            return key;
    }
    std::string names;
    for (NSObject* key : onScreen)
        names += (names.empty() ? "" : " ") + scriptWord(scriptName(key));
    return Error { "unknown key " + quoteScriptString(keyName) + " on the keyplane "
        + quoteScriptString(keyplaneName().utf8()) + "; the keys there are: " + names };
}

CGPoint KeyboardKeys::centreOnScreen(NSObject* key)
{
    CGRect cap = send(key, sel::paddedFrame);
    CGPoint centre { cap.midX(), cap.midY() };
    UIKeyboardLayoutStar* layout = activeLayout();
    return layout ? layout->convertPointToView(centre, nullptr) : centre;
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
        lines.push_back(listingField(send(key, sel::name)) + "\t"
            + listingField(send(key, sel::representedString)) + "\t"
            + listingField(property(key, contract::alternateEntry)) + "\t"
            + listingField(property(key, contract::shiftLockedAlternateEntry)));
    }
    return lines;
}

ErrorOr<void> KeyboardKeys::switchKeyplane(const std::string& name)
{
    UIKeyboardLayoutStar* layout = activeLayout();
    if (!layout)
        return Error { "no keyboard is on screen; focus a text field first with keyboard" };
    if (!send(layout, sel::keyplaneNamed, NSString(name))) {
        std::string names;
        NSMutableArray* keyplanes = send(layout->keyboardTree(), sel::subtrees);
        for (std::size_t index = 0; keyplanes && index < keyplanes->count(); ++index)
            names += (names.empty() ? "" : ", ")
                + send(keyplanes->objectAtIndex(index).object(), sel::name).utf8();
        return Error { "this keyboard has no keyplane " + quoteScriptString(name) + "; it has " + names };
    }
    send(layout, sel::setKeyplaneName, NSString(name));
    return {};
}
