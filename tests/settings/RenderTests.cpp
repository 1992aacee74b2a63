#include "platform/foundation/NSRunLoop.h"
#include "platform/social/MFMailComposeViewController.h"
#include "platform/uikit/UIAlertView.h"
#include "platform/uikit/UIWindow.h"
#include "settings/CorvaneProfileController.h"
#include "settings/CorvaneSettingButton.h"
#include "settings/CorvaneTableViewCellProfile.h"
#include "settings/CorvaneTableViewCellSetting.h"
#include "settings/CorvaneTableViewCellTextField.h"
#include "tests/settings/MainPageFixture.h"

namespace {

// Whether some pixel of the area (in points of the window) has the colour.
bool areaShows(const CGImageRef& image, CGRect area, int red, int green, int blue)
{
    for (auto y = static_cast<std::size_t>(area.minY() * 2); y < static_cast<std::size_t>(area.maxY() * 2);
         ++y) {
        for (auto x = static_cast<std::size_t>(area.minX() * 2);
             x < static_cast<std::size_t>(area.maxX() * 2); ++x) {
            if (pixelIsNear(CGImageGetPixel(image, x, y), red, green, blue, 16))
                return true;
        }
    }
    return false;
}

class Rendering : public MainPageFixture {
protected:
    CGRect inWindow(UIView* view) { return view->convertRectToView(view->bounds(), host->window()); }
    CGImageRef render(const char* fileName)
    {
        host->window()->runDisplayPass();
        return renderView(host->window(), fileName);
    }
};

TEST_F(Rendering, TheMainPageDrawsItsTitleSentenceAndCredit)
{
    CGImageRef image = render("main-page.png");
    EXPECT_TRUE(areaShows(image, inWindow(row(0)->textLabel()), 76, 86, 106)) << "the title";
    EXPECT_TRUE(areaShows(image, inWindow(row(0)->detailTextLabel()), 76, 86, 106)) << "the credit";
    auto* sentence = runtimeCast<CorvaneTableViewCellSetting>(row(2));
    EXPECT_TRUE(areaShows(image, inWindow(sentence->firstLabel()), 76, 86, 106));
    EXPECT_TRUE(areaShows(image, inWindow(sentence->gestureButton()), 76, 86, 106));
    EXPECT_TRUE(areaShows(image, inWindow(table->tableFooterView()), 76, 86, 106)) << "the footer";
    EXPECT_TRUE(areaShows(image, inWindow(row(3)), 255, 255, 255)) << "an ordinary row keeps its white group";
}

TEST_F(Rendering, WithTheKeyboardUpTheTestFieldStaysInView)
{
    tapTestField();
    ASSERT_TRUE(keyboard->isVisible());
    auto* cell = runtimeCast<CorvaneTableViewCellTextField>(row(1));
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(keyboard->tapKeyNamed("Latin-Small-Letter-Q"));
    render("main-page-keyboard.png");
    CGRect field = inWindow(cell->textField());
    EXPECT_GE(field.minY(), inWindow(table).minY()) << "below the bar";
    EXPECT_LE(field.maxY(), keyboard->frame().minY()) << "above the keyboard";
}

TEST_F(Rendering, TheSentenceAfterBothToggles)
{
    auto* sentence = runtimeCast<CorvaneTableViewCellSetting>(row(2));
    for (CorvaneSettingButton* button : { sentence->gestureButton(), sentence->typeButton() }) {
        CGRect area = inWindow(button);
        host->window()->tap({ area.midX(), area.midY() });
    }
    CGImageRef pressed = render("sentence-highlighted.png");
    CGRect overlay = inWindow(sentence->typeButton()->overlay());
    CGPoint corner { overlay.minX() + 3, overlay.midY() };
    CGPixel dimmed = CGImageGetPixel(
        pressed, static_cast<std::size_t>(corner.x * 2), static_cast<std::size_t>(corner.y * 2));

    NSRunLoop::main().advanceBy(0.1);
    CGImageRef image = render("sentence-toggled.png");
    CGPixel clear = CGImageGetPixel(
        image, static_cast<std::size_t>(corner.x * 2), static_cast<std::size_t>(corner.y * 2));
    EXPECT_LT(dimmed.red + 40, clear.red) << "the highlight darkens the word while it lingers";
    EXPECT_TRUE(areaShows(image, inWindow(sentence->typeButton()), 76, 86, 106));
    EXPECT_TRUE(areaShows(image, inWindow(sentence->thirdLabel()), 76, 86, 106)) << "the full stop";
}

TEST_F(Rendering, TheCreatorsPageShowsThePictures)
{
    tapRow(3);
    auto* creators = runtimeCast<CorvaneProfileController>(host->topPage());
    ASSERT_NE(creators, nullptr);
    CGImageRef image = render("creators-page.png");
    UITableView* creatorsTable = send(creators, sel::table);
    for (int section = 0; section < 2; ++section) {
        auto* cell
            = runtimeCast<CorvaneTableViewCellProfile>(creatorsTable->cellForRowAtIndexPath({ section, 0 }));
        ASSERT_NE(cell, nullptr);
        // The top middle of the picture, as drawn and as in the file.
        CGRect picture = inWindow(cell->profileView());
        CGPixel drawn = CGImageGetPixel(image, static_cast<std::size_t>(picture.midX() * 2),
            static_cast<std::size_t>((picture.minY() + 4) * 2));
        CGPixel own = CGImageGetPixel(cell->profileView()->image()->CGImage(), 39, 4);
        EXPECT_TRUE(pixelIsNear(drawn, own.red, own.green, own.blue)) << "section " << section;
        EXPECT_TRUE(areaShows(image, inWindow(cell->nameLabel()), 0, 0, 0)) << "the name in black";
    }
}

TEST_F(Rendering, TheMailSheetAndTheAlert)
{
    MFMailComposeViewController::setCanSendMail(true);
    tapRow(4);
    render("mail-sheet.png");
    auto* sheet = runtimeCast<MFMailComposeViewController>(page->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    sheet->finishWithResult(MFMailComposeResultCancelled);

    MFMailComposeViewController::setCanSendMail(false);
    tapRow(4);
    ASSERT_EQ(UIAlertView::visibleAlerts().size(), 1u);
    render("mail-alert.png");
}

} // namespace
