#include "ExtensionTestSupport.h"

namespace {

using namespace extension_test;

class DisplayControl : public KeyplaneRedrawFixture {
protected:
    static std::string displayString(NSObject* key)
    {
        NSString string = send(key, sel::displayString);
        return string.isNil() ? "(nothing)" : string.utf8();
    }
    static std::string variantDisplayString(NSObject* key)
    {
        NSString string = send(key, sel::variantDisplayString);
        return string.isNil() ? "(nothing)" : string.utf8();
    }
};

TEST_F(DisplayControl, KeyImageCacheIsOffOnEveryKeyboard)
{
    startExtension();
    present(4);
    EXPECT_FALSE(keyplaneFlags().augmentationActive);
    EXPECT_FALSE(send(UIKeyboardCache::staticClass(), sel::enabled));
}

TEST_F(DisplayControl, AugmentedKeysLeaveTheirLabelsToTheExtension)
{
    startExtension();
    present(7);
    UIKBTree* q = key("q");
    send(q, sel::properties)->setObject(NSString("Q-variant"), "KBvariantDisplayString");
    EXPECT_EQ(displayString(q), "(nothing)");
    EXPECT_EQ(variantDisplayString(q), "(nothing)");
    // The e-mail keyboard's "@" is of display type 8, augmented all the same.
    EXPECT_EQ(displayString(key("@")), "(nothing)");
    // Function keys keep their labels.
    EXPECT_EQ(displayString(keyOn(keyplane(), "Return-Key")),
        send(keyOn(keyplane(), "Return-Key"), sel::properties)
            ->objectForKey("KBdisplayString")
            .string()
            .utf8());

    present(3);
    UIKBTree* topLevelDomain = keyOn(keyplane(), "Top-Level-Domain-Key");
    EXPECT_EQ(displayString(topLevelDomain), ".com");

    // Inactive: the platform's strings again.
    present(4);
    EXPECT_EQ(displayString(q), "Q");
    EXPECT_EQ(variantDisplayString(q), "Q-variant");
}

TEST_F(DisplayControl, KeyCapCacheKeyCarriesTheRepresentedString)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    auto cap = makeRef<UIKBKeyView>(send(q, sel::paddedFrame), q, UIKBKeyViewStateCap);
    std::string platformKey = cap->cacheKey().utf8();
    EXPECT_EQ(send(cap.get(), sel::cacheKey).utf8(), platformKey + "_q");
    send(q, sel::setRepresentedString, NSString("1"));
    EXPECT_EQ(send(cap.get(), sel::cacheKey).utf8(), cap->cacheKey().utf8() + "_1");

    cap->setState(UIKBKeyViewStatePopup);
    EXPECT_EQ(send(cap.get(), sel::cacheKey).utf8(), cap->cacheKey().utf8());

    // Ineligible keys and inactive keyboards keep the platform's key.
    UIKBTree* shift = keyOn(keyplane(), "Shift-Key");
    auto shiftCap = makeRef<UIKBKeyView>(send(shift, sel::paddedFrame), shift, UIKBKeyViewStateCap);
    EXPECT_EQ(send(shiftCap.get(), sel::cacheKey).utf8(), shiftCap->cacheKey().utf8());
    cap->setState(UIKBKeyViewStateCap);
    present(4);
    EXPECT_EQ(send(cap.get(), sel::cacheKey).utf8(), cap->cacheKey().utf8());
}

TEST_F(DisplayControl, KeyViewLeavingTheScreenGivesItsKeyItsOwnStringBack)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    auto view = makeRef<UIKBKeyView>(CGRectMake(0, 0, 40, 80), q, UIKBKeyViewStatePopup);
    extension.gesture.showAlternate(q, NSString("1"), view.get());
    window->addSubview(view);
    EXPECT_EQ(send(q, sel::representedString).utf8(), "1");
    EXPECT_TRUE(alternateShown());

    // Also while the extension is inactive.
    extension.gAugmentationActive = false;
    view->removeFromSuperview();
    EXPECT_EQ(send(q, sel::representedString).utf8(), "q");
    EXPECT_FALSE(alternateShown());
    EXPECT_TRUE(view->needsDisplay());

    // A key that was never processed keeps its string.
    UIKBTree* shift = keyOn(keyplane(), "Shift-Key");
    send(shift, sel::setRepresentedString, NSString("held"));
    auto shiftView = makeRef<UIKBKeyView>(CGRectMake(0, 0, 40, 80), shift, UIKBKeyViewStatePopup);
    window->addSubview(shiftView);
    shiftView->removeFromSuperview();
    EXPECT_EQ(property(shift, "KBrepresentedString"), "held");
}

TEST_F(DisplayControl, ShiftLockRedrawsTheKeyplaneWhileActive)
{
    startExtension();
    present();
    switchTo("Numbers-And-Punctuation");
    keyplaneRedraws = 0;
    send(impl(), sel::setShiftLocked, true);
    EXPECT_EQ(keyplaneRedraws, 1);
    send(impl(), sel::setShiftLocked, false);
    EXPECT_EQ(keyplaneRedraws, 2);

    present(4);
    keyplaneRedraws = 0;
    send(impl(), sel::setShiftLocked, true);
    EXPECT_EQ(keyplaneRedraws, 0);
}

} // namespace
