#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITextField.h"

#include <gtest/gtest.h>

namespace {

TEST(Accessibility, ViewsAnswerThePlatformDefaults)
{
    auto plain = UIView::make();
    EXPECT_FALSE(plain->isAccessibilityElement());
    EXPECT_TRUE(plain->accessibilityLabel().isNil());
    EXPECT_EQ(plain->accessibilityTraits(), UIAccessibilityTraitNone);

    auto label = UILabel::make();
    label->setText("on a key on the keyboard to");
    EXPECT_TRUE(label->isAccessibilityElement());
    EXPECT_EQ(label->accessibilityLabel(), NSString("on a key on the keyboard to"));
    EXPECT_EQ(label->accessibilityTraits(), UIAccessibilityTraitStaticText);
    label->setText("input its");
    EXPECT_EQ(label->accessibilityLabel(), NSString("input its")) << "the label follows the text";

    auto button = UIButton::make();
    button->setTitleForState("Settings", UIControlStateNormal);
    button->setTitleForState("Pressed", UIControlStateHighlighted);
    EXPECT_TRUE(button->isAccessibilityElement());
    EXPECT_EQ(button->accessibilityLabel(), NSString("Settings"));
    EXPECT_EQ(button->accessibilityTraits(), UIAccessibilityTraitButton);
    button->setHighlighted(true);
    EXPECT_EQ(button->accessibilityLabel(), NSString("Pressed")) << "the current title";
    EXPECT_TRUE(UIButton::make()->accessibilityLabel().isNil()) << "no title, no label";

    auto field = UITextField::make();
    field->setPlaceholder("Test Keyboard");
    EXPECT_TRUE(field->isAccessibilityElement());
    EXPECT_EQ(field->accessibilityLabel(), NSString("Test Keyboard"));
    EXPECT_TRUE(field->accessibilityValue().isEmpty() || field->accessibilityValue().isNil());
    field->setText("Meet");
    EXPECT_EQ(field->accessibilityValue(), NSString("Meet"));
    EXPECT_EQ(field->accessibilityLabel(), NSString("Test Keyboard"));
}

TEST(Accessibility, WhatIsSetOverridesTheDefaultsThroughTheMethodTable)
{
    auto plain = UIView::make();
    send(plain.get(), sel::setIsAccessibilityElement, true);
    send(plain.get(), sel::setAccessibilityLabel, NSString("Heart"));
    send(plain.get(), sel::setAccessibilityTraits, UIAccessibilityTraitImage);
    EXPECT_TRUE(send(plain.get(), sel::isAccessibilityElement));
    EXPECT_EQ(send(plain.get(), sel::accessibilityLabel), NSString("Heart"));
    EXPECT_EQ(send(plain.get(), sel::accessibilityTraits), UIAccessibilityTraitImage);

    auto label = UILabel::make();
    label->setText("9:41 AM");
    label->setAccessibilityLabel("nine forty-one");
    label->setIsAccessibilityElement(false);
    label->setAccessibilityTraits(UIAccessibilityTraitNone);
    EXPECT_EQ(label->accessibilityLabel(), NSString("nine forty-one"));
    EXPECT_FALSE(label->isAccessibilityElement());
    EXPECT_EQ(label->accessibilityTraits(), UIAccessibilityTraitNone);

    auto button = UIButton::make();
    button->setTitleForState("Back", UIControlStateNormal);
    button->setAccessibilityLabel("Settings");
    EXPECT_EQ(button->accessibilityLabel(), NSString("Settings"));
    EXPECT_EQ(button->accessibilityTraits(), UIAccessibilityTraitButton);
}

} // namespace
