// A switch back to a keyplane whose keys are augmented under the current
// conditions skips the key loop. These tests run the same sessions with and
// without that memo and compare everything that can be seen after each step:
// every entry of every key shown, the flags, what was typed and the drawn
// keyplane, across settings, locale and keyboard-type changes.
#include "ExtensionTestSupport.h"
#include "keyboard/Settings.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/graphics/CGBitmapContext.h"

#include <algorithm>
#include <functional>
#include <sstream>

namespace {

using namespace extension_test;

std::string describe(const Value& value)
{
    if (value.isString())
        return '"' + value.string().utf8() + '"';
    if (value.isInteger())
        return std::to_string(value.integer().value) + (value.integer().isUnsigned ? "u" : "");
    if (value.isBoolean())
        return value.boolValue() ? "true" : "false";
    return value.isNil() ? "nothing" : "(other)";
}

// What one step left to be seen.
struct Observation {
    std::string step;
    std::string keys;
    std::string state;
    std::string typed;
    NSData drawing;
};

class KeyplaneMemo : public ExtensionFixture {
protected:
    using Session = std::function<void()>;

    // The session run twice, each time from a fresh platform and extension.
    void expectSameWithAndWithoutMemo(const Session& session)
    {
        std::vector<Observation> withMemo = observeSession(true, session);
        TearDown();
        SetUp();
        std::vector<Observation> withoutMemo = observeSession(false, session);
        ASSERT_EQ(withMemo.size(), withoutMemo.size());
        for (std::size_t index = 0; index < withMemo.size(); ++index) {
            const Observation& memo = withMemo[index];
            const Observation& plain = withoutMemo[index];
            SCOPED_TRACE(memo.step);
            EXPECT_EQ(memo.keys, plain.keys);
            EXPECT_EQ(memo.state, plain.state);
            EXPECT_EQ(memo.typed, plain.typed);
            EXPECT_TRUE(memo.drawing == plain.drawing) << "the drawn keyplanes differ";
        }
    }

    // The keys and drawing of the active keyboard, or of another layout controller.
    void observe(const std::string& step, UIKeyboardLayoutStar* shown = nullptr)
    {
        if (!shown)
            shown = layout();
        Observation seen { step, keysShown(shown), extensionState(), input ? input->text : "",
            drawKeyplane(shown) };
        m_observations.push_back(std::move(seen));
    }

    // Switches and observes after each switch.
    void switchAndObserve(std::initializer_list<const char*> keyplaneNames)
    {
        for (const char* name : keyplaneNames) {
            switchTo(name);
            observe(std::string("switch to ") + name);
        }
    }

    void flick(const char* represented)
    {
        CGPoint start = centerOf(key(represented));
        driver.touchDown(start);
        driver.touchMove({ start.x, start.y - 30 });
        driver.touchUp();
        NSRunLoop::main().runUntilIdle();
    }
    void tap(const char* represented)
    {
        driver.tap(centerOf(key(represented)));
        NSRunLoop::main().runUntilIdle();
    }

    // As the settings pane does it: write the file, post the notification.
    void changeSettings(int type, int gesture)
    {
        writeSettings(type, gesture);
        CFNotificationCenterPostNotification(
            CFNotificationCenterGetDarwinNotifyCenter(), settingsChangedNotification, nullptr, nullptr, true);
        NSRunLoop::main().runUntilIdle();
        observe("settings type " + std::to_string(type) + " gesture " + std::to_string(gesture));
    }

    void changeLocale(const char* identifier)
    {
        NSLocale::setCurrentLocaleIdentifier(identifier);
        NSRunLoop::main().runUntilIdle();
    }

private:
    std::vector<Observation> observeSession(bool memo, const Session& session)
    {
        m_observations.clear();
        extension.gKeyplaneMemo = memo;
        session();
        return std::move(m_observations);
    }

    static std::string keysShown(UIKeyboardLayoutStar* shown)
    {
        std::ostringstream listing;
        listing << send(shown, sel::keyplaneName).utf8() << '\n';
        NSMutableArray* keys = send(send(shown, sel::keyplane), sel::keys);
        if (!keys)
            return listing.str();
        for (const Value& keyValue : *keys) {
            NSObject* shownKey = keyValue.object();
            listing << send(shownKey, sel::name).utf8();
            std::vector<std::string> entries;
            for (const auto& [name, value] : send(shownKey, sel::properties)->entries())
                entries.push_back(std::string(name) + "=" + describe(value));
            std::sort(entries.begin(), entries.end());
            for (const std::string& entry : entries)
                listing << ' ' << entry;
            listing << " represented=" << send(shownKey, sel::representedString).utf8() << '\n';
        }
        return listing.str();
    }

    static std::string extensionState()
    {
        std::ostringstream state;
        state << keyplaneFlags() << " kind " << extension.keyboardKind << " layout "
              << extension.keyboardLayout << " currency filled " << extension.gCurrencyFilled;
        return state.str();
    }

    static NSData drawKeyplane(UIKeyboardLayoutStar* shown)
    {
        UIView* view = shown ? shown->keyplaneView() : nullptr;
        if (!view)
            return {};
        CGContextPtr context = CGBitmapContextCreate(view->frame().width(), view->frame().height());
        UIGraphicsPushContext(context.get());
        send(view, sel::drawRect, view->bounds());
        UIGraphicsPopContext();
        return CGImageCopyPNGData(CGBitmapContextCreateImage(context.get()));
    }

    std::vector<Observation> m_observations;
};

TEST_F(KeyplaneMemo, SettingsChangesGiveTheSameKeysTextAndDrawing)
{
    expectSameWithAndWithoutMemo([this] {
        startExtension();
        present(0, portraitWindow, "QWERTY");
        observe("presented");
        switchAndObserve({ "Capital-Letters", "Small-Letters", "Numbers-And-Punctuation",
            "Numbers-And-Punctuation-Alternate", "Small-Letters", "Numbers-And-Punctuation",
            "Capital-Letters", "Small-Letters" });
        flick("q");
        flick("j");
        tap("a");
        observe("typed in \"Alternate key\" mode");

        changeSettings(1, 2);
        switchAndObserve({ "Capital-Letters", "Small-Letters", "Numbers-And-Punctuation", "Small-Letters" });
        flick("w");
        observe("typed in \"Shifted key\" mode");

        changeSettings(2, 1);
        switchAndObserve(
            { "Numbers-And-Punctuation", "Numbers-And-Punctuation-Alternate", "Capital-Letters" });
        send(impl(), sel::setShiftLocked, true);
        observe("shift locked");
        flick("Q");
        observe("typed with shift locked");
        send(impl(), sel::setShiftLocked, false);
        switchAndObserve({ "Small-Letters", "Capital-Letters", "Small-Letters" });
    });
}

TEST_F(KeyplaneMemo, LocaleChangesGiveTheSameKeysTextAndDrawing)
{
    expectSameWithAndWithoutMemo([this] {
        startExtension();
        present(0, portraitWindow, "QWERTZ");
        switchAndObserve({ "Numbers-And-Punctuation", "Numbers-And-Punctuation-Alternate", "Small-Letters" });
        for (const char* locale : { "de_DE", "ja_JP", "en_GB", "en" }) {
            changeLocale(locale);
            observe(std::string("locale ") + locale);
            switchAndObserve({ "Small-Letters", "Numbers-And-Punctuation",
                "Numbers-And-Punctuation-Alternate", "Capital-Letters", "Small-Letters" });
            flick("j");
            observe(std::string("typed under ") + locale);
        }
        // A locale change while "Shifted key" mode leaves the tables unfilled.
        changeSettings(1, 1);
        changeLocale("fr_FR");
        switchAndObserve({ "Small-Letters", "Numbers-And-Punctuation", "Small-Letters" });
        changeSettings(2, 1);
        switchAndObserve({ "Numbers-And-Punctuation", "Small-Letters" });
    });
}

TEST_F(KeyplaneMemo, KeyboardTypeChangesGiveTheSameKeysTextAndDrawing)
{
    expectSameWithAndWithoutMemo([this] {
        startExtension();
        for (int type : { 0, 3, 7, 4, 5, 259, 0, 7 }) {
            present(type, portraitWindow, "QWERTY");
            observe("keyboard type " + std::to_string(type));
            if (!keyplaneFlags().augmentationActive)
                continue;
            switchAndObserve(
                { "Capital-Letters", "Numbers-And-Punctuation", "Small-Letters", "Small-Letters" });
            flick("j");
            tap("k");
            observe("typed on keyboard type " + std::to_string(type));
        }
        // A layout controller kept past its keyboard takes the kind of the
        // keyboard now active, and the layout that keyboard shows.
        present(7, portraitWindow, "QWERTY");
        RefPtr<UIKeyboardLayoutStar> emailLayout(layout());
        for (auto [type, letters] : { std::pair { 0, "QWERTY" }, std::pair { 3, "AZERTY" },
                 std::pair { 7, "QWERTZ" }, std::pair { 7, "QWERTY" }, std::pair { 0, "AZERTY" } }) {
            present(type, portraitWindow, letters);
            for (const char* name : { "Small-Letters", "Capital-Letters", "Small-Letters" }) {
                send(emailLayout.get(), sel::setKeyplaneName, NSString(name));
                observe("kept e-mail keyboard under type " + std::to_string(type), emailLayout.get());
            }
        }
        present(0, landscapeWindow, "AZERTY");
        switchAndObserve({ "Capital-Letters", "Small-Letters" });
        present(0, portraitWindow, "QWERTZ");
        switchAndObserve({ "Capital-Letters", "Small-Letters" });
    });
}

// The platform may change a key between switches: a key that types nothing
// keeps the markers of its last processing, and once the platform gives it a
// string again, the next switch processes it.
TEST_F(KeyplaneMemo, AKeyThatTypesNothingIsProcessedOnceItTypesAgain)
{
    expectSameWithAndWithoutMemo([this] {
        startExtension();
        present();
        UIKBTree* q = key("q");
        send(q, sel::properties)->removeObjectForKey("KBrepresentedString");
        changeSettings(1, 1);
        switchAndObserve({ "Small-Letters", "Small-Letters" });
        changeSettings(2, 1);
        switchAndObserve({ "Small-Letters" });
        changeSettings(1, 1);
        send(q, sel::setRepresentedString, NSString("q"));
        switchAndObserve({ "Small-Letters" });
        EXPECT_EQ(property(q, contract::alternateEntry), "Q");
    });
}

// The platform's setCurrencyKeysForCurrentLocaleOnKeyplane: changes the
// currency keys of every keyplane it is given once the locale is another.
TEST_F(KeyplaneMemo, CurrencyKeysTheLocaleChangesAreProcessedAgain)
{
    expectSameWithAndWithoutMemo([this] {
        startExtension();
        present();
        switchAndObserve({ "Numbers-And-Punctuation", "Numbers-And-Punctuation-Alternate" });
        UIKBTree* alternatePlane = keyplaneNamed("Numbers-And-Punctuation-Alternate");
        changeLocale("de_DE");
        send(layout(), sel::setCurrencyKeysForCurrentLocaleOnKeyplane, alternatePlane);
        switchAndObserve({ "Numbers-And-Punctuation-Alternate", "Numbers-And-Punctuation" });
        UIKBTree* primarySign = keyOn(keyplane(), "Primary-Currency-Sign");
        ASSERT_TRUE(primarySign);
        EXPECT_EQ(property(primarySign, contract::ownStringEntry), "€");
    });
}

// The memo is what makes a repeated switch cheap: no key is looked at.
TEST_F(KeyplaneMemo, RepeatedSwitchUnderTheSameConditionsLooksAtNoKey)
{
    startExtension();
    present();
    switchTo("Capital-Letters");
    switchTo("Small-Letters");
    static int keyPropertyReads = 0;
    static decltype(sel::properties)::Implementation platformProperties = nullptr;
    MSHookMessageEx(
        UIKBTree::staticClass(), sel::properties,
        [](NSObject* node) {
            keyPropertyReads += static_cast<UIKBTree*>(node)->type() == UIKBTreeType::Key;
            return callImplementation(platformProperties, node);
        },
        &platformProperties);

    keyPropertyReads = 0;
    switchTo("Capital-Letters");
    switchTo("Small-Letters");
    EXPECT_EQ(keyPropertyReads, 0);

    // Conditions that changed send the loop over the keys again.
    useSettings(1, 0);
    switchTo("Small-Letters");
    EXPECT_GT(keyPropertyReads, 0);
    keyPropertyReads = 0;
    changeLocale("de_DE");
    switchTo("Small-Letters");
    EXPECT_GT(keyPropertyReads, 0);
}

} // namespace
