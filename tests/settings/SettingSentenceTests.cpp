#include "contracts/CorvaneContract.h"
#include "platform/uikit/UIWindow.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneSettingButton.h"
#include "settings/CorvaneTableViewCellSetting.h"
#include "settings/PaneStyle.h"
#include "tests/settings/PaneTestSupport.h"

namespace {

CGFloat boldWidth(const char* text)
{
    auto font = paneStyle::boldFont(17);
    return sizeWithFont(text, font.get()).width;
}

CGFloat plainWidth(const char* text)
{
    auto font = paneStyle::plainFont(17);
    return sizeWithFont(text, font.get()).width;
}

class SettingSentence : public PaneTest {
protected:
    void makeCell()
    {
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        cell = CorvaneTableViewCellSetting::make(UITableViewCellStyleSubtitle, "SettingCell");
        ASSERT_TRUE(cell);
        cell->setFrame(CGRectMake(0, 100, 320, 55));
        window->addSubview(cell);
        window->runDisplayPass();
    }

    void storeSettings(std::initializer_list<std::pair<const char*, Value>> entries)
    {
        auto settings = NSMutableDictionary::dictionary();
        for (const auto& [key, value] : entries)
            settings->setObject(value, key);
        writeSettingsFile(*settings);
    }

    void tapButton(CorvaneSettingButton* button)
    {
        CGRect area = button->convertRectToView(button->bounds(), window.get());
        window->tap({ area.midX(), area.midY() });
        window->runDisplayPass();
    }

    // Where every element must stand for the words on show, as the sentence
    // is laid out: line 1 centred as a whole, line 2 on its label and button.
    void expectSentenceFrames(const char* gestureWord, const char* typeWord)
    {
        CGFloat width = cell->contentView()->frame().width();
        CGFloat gesture = boldWidth(gestureWord) + 8;
        CGFloat type = boldWidth(typeWord) + 8;
        CGFloat first = plainWidth("on a key on the keyboard to");
        CGFloat second = plainWidth("input its");
        CGFloat stop = plainWidth(".");
        CGFloat gestureX = (width - gesture - first) / 2;
        CGFloat secondX = (width - second - type) / 2;

        EXPECT_EQ(cell->gestureButton()->frame(), CGRectMake(gestureX, 0, gesture, 28));
        EXPECT_EQ(cell->firstLabel()->frame(), CGRectMake(gestureX + gesture, 0, first, 28));
        EXPECT_EQ(cell->secondLabel()->frame(), CGRectMake(secondX, 28, second, 28));
        EXPECT_EQ(cell->typeButton()->frame(), CGRectMake(secondX + second, 28, type, 28));
        EXPECT_EQ(cell->thirdLabel()->frame(), CGRectMake(secondX + second + type, 28, stop, 28));
    }

    RefPtr<UIWindow> window;
    RefPtr<CorvaneTableViewCellSetting> cell;
};

TEST_F(SettingSentence, WithoutAFileShowsFlickUpAndAlternateKey)
{
    makeCell();
    EXPECT_EQ(cell->gestureButton()->shownOption(), NSString("Flick up"));
    EXPECT_EQ(cell->typeButton()->shownOption(), NSString("Alternate key"));
    EXPECT_EQ(cell->gestureButton()->key(), NSString(contract::gestureKey));
    EXPECT_EQ(cell->typeButton()->key(), NSString(contract::typeKey));
}

TEST_F(SettingSentence, ShowsTheStoredChoices)
{
    storeSettings({ { contract::gestureKey, 2 }, { contract::typeKey, 1 } });
    makeCell();
    EXPECT_EQ(cell->gestureButton()->shownOption(), NSString("Slide up"));
    EXPECT_EQ(cell->typeButton()->shownOption(), NSString("Shifted key"));
}

TEST_F(SettingSentence, TakesOtherGesturesAsFlickUpAndOtherTypesAsAlternateKey)
{
    storeSettings({ { contract::gestureKey, 3 }, { contract::typeKey, 3 } });
    makeCell();
    EXPECT_EQ(cell->gestureButton()->shownOption(), NSString("Flick up"));
    EXPECT_EQ(cell->typeButton()->shownOption(), NSString("Alternate key"));
}

TEST_F(SettingSentence, ReadsStoredValuesAsIntegersTheWayTheKeyboardDoes)
{
    storeSettings({ { contract::gestureKey, "2" }, { contract::typeKey, 0 } });
    makeCell();
    EXPECT_EQ(cell->gestureButton()->shownOption(), NSString("Slide up"))
        << "a numeric string reads as its number";
    EXPECT_EQ(cell->typeButton()->shownOption(), NSString("Alternate key"));
}

TEST_F(SettingSentence, IsATransparentCellThatNeverHighlights)
{
    makeCell();
    EXPECT_EQ(cell->style(), UITableViewCellStyleDefault);
    EXPECT_EQ(cell->selectionStyle(), UITableViewCellSelectionStyleNone);
    ASSERT_NE(cell->backgroundView(), nullptr);
    EXPECT_TRUE(
        !cell->backgroundView()->backgroundColor() || cell->backgroundView()->backgroundColor()->isClear());
    EXPECT_EQ(cell->backgroundView()->autoresizingMask(),
        unsigned(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight));
    UILabel* label = cell->firstLabel();
    EXPECT_EQ(label->font()->fontName(), NSString("HelveticaNeue"));
    EXPECT_FLOAT_EQ(label->font()->pointSize(), 17);
    EXPECT_EQ(label->textColor()->CGColor(), paneStyle::textColor()->CGColor());
    EXPECT_EQ(label->shadowColor()->CGColor(), CGColor::white(1));
    EXPECT_EQ(label->shadowOffset(), CGSizeMake(0, 1));
    // The content view holds the views in the sentence's order, after the
    // cell's own text label.
    UIView* content = cell->contentView();
    ASSERT_EQ(content->subviewCount(), 6u);
    EXPECT_EQ(content->subviewAtIndex(0), cell->textLabel());
    EXPECT_EQ(content->subviewAtIndex(1), cell->gestureButton());
    EXPECT_EQ(content->subviewAtIndex(2), cell->typeButton());
    EXPECT_EQ(content->subviewAtIndex(3), cell->firstLabel());
    EXPECT_EQ(content->subviewAtIndex(4), cell->secondLabel());
    EXPECT_EQ(content->subviewAtIndex(5), cell->thirdLabel());
}

TEST_F(SettingSentence, ReCentresBothLinesAfterEachToggle)
{
    makeCell();
    expectSentenceFrames("Flick up", "Alternate key");

    tapButton(cell->typeButton());
    EXPECT_EQ(cell->typeButton()->shownOption(), NSString("Shifted key"));
    expectSentenceFrames("Flick up", "Shifted key");

    tapButton(cell->gestureButton());
    expectSentenceFrames("Slide up", "Shifted key");

    tapButton(cell->typeButton());
    expectSentenceFrames("Slide up", "Alternate key");
    EXPECT_EQ(readSettingsFile()->objectForKey(contract::typeKey), Value(2));
    EXPECT_EQ(readSettingsFile()->objectForKey(contract::gestureKey), Value(2));
}

// The content view holds the sentence's parts and the cell only refers to
// them: a part taken away and freed reads as nothing, and laying the cell out
// again leaves the other parts where they were instead of touching it.
TEST_F(SettingSentence, APartTakenAwayReadsAsNothingAndTheRestStays)
{
    makeCell();
    CGRect gestureFrame = cell->gestureButton()->frame();
    cell->thirdLabel()->removeFromSuperview();
    EXPECT_EQ(cell->thirdLabel(), nullptr);

    cell->setFrame(CGRectMake(0, 100, 280, 55));
    window->runDisplayPass();
    EXPECT_EQ(cell->gestureButton()->frame(), gestureFrame);
    EXPECT_NE(cell->typeButton(), nullptr);
}

TEST_F(SettingSentence, KeepsFractionsOfAPoint)
{
    makeCell();
    cell->setFrame(CGRectMake(0, 100, 301, 55));
    window->runDisplayPass();
    expectSentenceFrames("Flick up", "Alternate key");
    CGFloat x = cell->gestureButton()->frame().minX();
    EXPECT_NE(x, static_cast<CGFloat>(static_cast<int>(x)))
        << "the sentence at this width is off the whole points";
}

} // namespace
