#include "KeyboardTestSupport.h"
#include "platform/keyboard/KeyboardLayoutBuilder.h"
#include "platform/uikit/UITextField.h"

#include <string>

namespace keyboard_test {
namespace {

class KeyboardTypes : public KeyboardFixture {
protected:
    std::vector<UIKBTree*> keyplanes() const
    {
        std::vector<UIKBTree*> result;
        for (const Value& value : *layout()->keyboardTree()->subtrees())
            result.push_back(static_cast<UIKBTree*>(value.object()));
        return result;
    }
    // The keys of the bottom row, by name, on the keyplane shown.
    std::vector<std::string> bottomRowNames() const
    {
        std::vector<std::string> names;
        CGFloat bottom = 0;
        for (const Value& value : *keyplane()->keys())
            bottom = std::max(bottom, static_cast<UIKBTree*>(value.object())->frame().minY());
        for (const Value& value : *keyplane()->keys()) {
            auto* key = static_cast<UIKBTree*>(value.object());
            if (key->frame().minY() == bottom)
                names.push_back(key->name().utf8());
        }
        return names;
    }
    int keyboardTypeIvar() const
    {
        void* value = nullptr;
        object_getInstanceVariable(layout(), "_keyboardType", &value);
        return static_cast<int>(reinterpret_cast<std::intptr_t>(value));
    }
};

TEST_F(KeyboardTypes, AlphabeticKeyplanesAreNamedSoTheyCanBeClassified)
{
    for (int type : { 0, 3, 7 }) {
        present(type);
        for (UIKBTree* plane : keyplanes()) {
            SCOPED_TRACE(plane->name().utf8());
            EXPECT_TRUE(send(plane, sel::unhashedName).containsString("-Alphabetic-"));
            NSString component = send(plane, sel::componentName);
            bool letters = component.containsString("Letters", NSCaseInsensitiveSearch);
            bool punctuation = component.containsString("Punctuation", NSCaseInsensitiveSearch);
            EXPECT_NE(letters, punctuation);
        }
        presenter.dismissKeyboard();
    }
}

TEST_F(KeyboardTypes, LetterKeySetsNameTheirLayoutAfterAKeySetlessSubtree)
{
    struct Case {
        const char* locale;
        const char* layoutName;
    };
    for (const Case& each :
        { Case { "en_US", "-QWERTY-" }, Case { "de_DE", "QWERTZ" }, Case { "fr_FR", "AZERTY" },
            Case { "es_ES", "QWERTY" }, Case { "sv_SE", "QWERTY" }, Case { "da_DK", "QWERTY" } }) {
        NSLocale::setCurrentLocaleIdentifier(each.locale);
        present(0);
        NSMutableArray* subtrees = send(keyplane(), sel::subtrees);
        ASSERT_EQ(subtrees->count(), 2u);
        EXPECT_EQ(send(subtrees->objectAtIndex(0).object(), sel::keySet), nullptr);
        NSObject* keySet = send(subtrees->objectAtIndex(1).object(), sel::keySet);
        EXPECT_TRUE(send(keySet, sel::unhashedName).containsString(each.layoutName)) << each.locale;
        presenter.dismissKeyboard();
    }
}

TEST_F(KeyboardTypes, ExplicitLetterLayoutOverridesTheLocale)
{
    NSLocale::setCurrentLocaleIdentifier("en_US");
    presenter.setLetterLayout(findLetterLayout("AZERTY"));
    present(0);
    EXPECT_EQ(keyplane()->keys()->objectAtIndex(0).object(), keyNamed("Latin-Small-Letter-A"));
    presenter.setLetterLayout(nullptr);
    present(0);
    EXPECT_EQ(keyplane()->keys()->objectAtIndex(0).object(), keyNamed("Latin-Small-Letter-Q"));
}

TEST_F(KeyboardTypes, StandardKeyboardsOpenOnLettersAndType2OnNumbers)
{
    for (int type : { 0, 1, 9, 256, 257, 265 }) {
        present(type);
        EXPECT_EQ(keyplaneName(), "Small-Letters") << type;
        EXPECT_EQ(keyboardTypeIvar(), type);
        EXPECT_EQ(bottomRowNames(),
            (std::vector<std::string> { "More-Key", "International-Key", "Space-Key", "Return-Key" }));
    }
    for (int type : { 2, 258 }) {
        present(type);
        EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation") << type;
    }
}

TEST_F(KeyboardTypes, WebAddressKeyboardShowsDotSlashAndDotCom)
{
    const std::vector<std::string> webAddressBottomRow { "More-Key", "International-Key", "Full-Stop",
        "Solidus", "Top-Level-Domain-Key", "Return-Key" };
    // The URL keyboard's ASCII variant is the same keyboard, under its own number.
    present(259);
    EXPECT_EQ(keyboardTypeIvar(), 259);
    EXPECT_EQ(bottomRowNames(), webAddressBottomRow);
    present(3);
    EXPECT_EQ(bottomRowNames(), webAddressBottomRow);
    UIKBTree* dotCom = keyNamed("Top-Level-Domain-Key");
    EXPECT_EQ(send(dotCom, sel::representedString).utf8(), ".com");
    EXPECT_EQ(send(dotCom, sel::displayType), 8);
    EXPECT_EQ(send(dotCom, sel::displayTypeHint), 5000);
    UIKBTree* slash = keyNamed("Solidus");
    EXPECT_EQ(send(slash, sel::displayType), 0);
    EXPECT_EQ(send(slash, sel::properties)->objectForKey("KBdisplayTypeHint").intValue(), 6);
    EXPECT_FALSE(keyNamed("Space-Key"));
    driver.tapKeyNamed("Top-Level-Domain-Key");
    EXPECT_EQ(input->text, ".com");
}

// The text field's keyboard type, by its name, reaches the keyboard: the
// toolkit and the keyboard share one declaration of the types.
TEST_F(KeyboardTypes, TextFieldAskingForAnEmailAddressBringsUpTheEmailKeyboard)
{
    setKeyboardPresenter(&presenter);
    window = UIWindow::make(CGRectMake(0, 0, 320, 480));
    auto field = UITextField::make(CGRectMake(10, 10, 300, 31));
    field->setKeyboardType(UIKeyboardTypeEmailAddress);
    window->addSubview(field);
    EXPECT_TRUE(field->becomeFirstResponder());
    EXPECT_EQ(keyboardTypeIvar(), 7);
    EXPECT_EQ(bottomRowNames(),
        (std::vector<std::string> {
            "More-Key", "International-Key", "Space-Key", "Commercial-At", "Full-Stop", "Return-Key" }));
    field->resignFirstResponder();
    setKeyboardPresenter(nullptr);
}

TEST_F(KeyboardTypes, EmailKeyboardShowsAtAndDotInTheLightStyle)
{
    for (int type : { 7, 263 }) {
        present(type);
        EXPECT_EQ(bottomRowNames(),
            (std::vector<std::string> {
                "More-Key", "International-Key", "Space-Key", "Commercial-At", "Full-Stop", "Return-Key" }));
        for (const char* name : { "Commercial-At", "Full-Stop" }) {
            EXPECT_EQ(send(keyNamed(name), sel::displayType), 8) << name;
            EXPECT_EQ(send(keyNamed(name), sel::displayTypeHint), 6) << name;
        }
        // Ordinary letters carry no hint at all.
        EXPECT_TRUE(send(keyNamed("Latin-Small-Letter-Q"), sel::properties)
                        ->objectForKey("KBdisplayTypeHint")
                        .isNil());
    }
}

TEST_F(KeyboardTypes, UnknownTypesShowTheStandardKeyboardButKeepTheirNumber)
{
    present(42);
    EXPECT_EQ(keyboardTypeIvar(), 42);
    EXPECT_TRUE(keyNamed("Space-Key"));
    EXPECT_FALSE(keyNamed("Top-Level-Domain-Key"));
}

TEST_F(KeyboardTypes, NumberAndPhonePadsAreNotAlphabetic)
{
    for (int type : { 4, 5 }) {
        present(type);
        ASSERT_TRUE(keyplane()) << type;
        EXPECT_FALSE(
            send(keyplane(), sel::unhashedName).containsString("-Alphabetic-", NSCaseInsensitiveSearch));
        EXPECT_FALSE(send(keyplane(), sel::componentName).containsString("Letters", NSCaseInsensitiveSearch));
        EXPECT_FALSE(keyNamed("Latin-Small-Letter-Q"));
        driver.tapKeyNamed("Digit-Seven");
        driver.tapKeyNamed("Delete-Key");
        driver.tapKeyNamed("Digit-One");
        EXPECT_EQ(input->text, "1");
    }
}

TEST_F(KeyboardTypes, OrientationFollowsTheWindowWidth)
{
    present(0, landscapeWindow);
    EXPECT_EQ(layout()->frame().size, CGSizeMake(568, 162));
    EXPECT_EQ(send(impl(), sel::currentLandscapeWidth), 568);
    EXPECT_EQ(send(impl(), sel::currentLandscapeHeight), 162);
    EXPECT_EQ(presenter.keyboardFrame(), CGRectMake(0, 320 - 162, 568, 162));
    present(0, portraitWindow);
    EXPECT_EQ(presenter.keyboardFrame(), CGRectMake(0, 480 - 216, 320, 216));
    EXPECT_TRUE(presenter.isKeyboardVisible());
}

TEST_F(KeyboardTypes, InstanceVariablesAreReadableByName)
{
    present(7);
    EXPECT_EQ(keyboardTypeIvar(), 7);
    void* keyplaneView = nullptr;
    object_getInstanceVariable(layout(), "_keyplaneView", &keyplaneView);
    ASSERT_EQ(keyplaneView, layout()->keyplaneView());
    EXPECT_EQ(send(static_cast<NSObject*>(keyplaneView), sel::keyplane), keyplane());
}

TEST_F(KeyboardTypes, KeyboardTreesAreReusedSoWhatIsWrittenIntoKeysStays)
{
    present(0);
    send(keyNamed("Latin-Small-Letter-Q"), sel::properties)->setObject(1, "Marker");
    present(0);
    EXPECT_EQ(send(keyNamed("Latin-Small-Letter-Q"), sel::properties)->objectForKey("Marker").intValue(), 1);
    present(3);
    EXPECT_TRUE(send(keyNamed("Latin-Small-Letter-Q"), sel::properties)->objectForKey("Marker").isNil());
}

TEST_F(KeyboardTypes, KeyplaneLookupIgnoresCaseAndUnknownNamesChangeNothing)
{
    present(0);
    EXPECT_EQ(send(layout(), sel::keyplaneNamed, NSString("numbers-and-punctuation")),
        send(layout(), sel::keyplaneNamed, NSString("Numbers-And-Punctuation")));
    EXPECT_EQ(send(layout(), sel::keyplaneNamed, NSString("Emoji")), nullptr);
    send(layout(), sel::setKeyplaneName, NSString("Emoji"));
    EXPECT_EQ(keyplaneName(), "Small-Letters");
    send(layout(), sel::setKeyplaneName, NSString());
    EXPECT_EQ(keyplaneName(), "Small-Letters");
}

} // namespace
} // namespace keyboard_test
