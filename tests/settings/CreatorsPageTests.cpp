#include "platform/preferences/SettingsHost.h"
#include "platform/uikit/UIApplication.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneProfileController.h"
#include "settings/CorvaneTableViewCellProfile.h"
#include "settings/CreditFooterLabel.h"
#include "settings/PaneStyle.h"
#include "tests/settings/PaneTestSupport.h"

#include <cmath>

namespace {

class CreatorsPage : public PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        host = std::make_unique<SettingsHost>();
        RefPtr<NSObject> made = send(CorvaneProfileController::staticClass(), sel::alloc);
        ASSERT_TRUE(send(made.get(), sel::initForContentSize, CGSizeMake(320, 416)));
        page = RefPtr(runtimeCast<CorvaneProfileController>(made.get()));
        send(host->listController(), sel::pushController, made.get());
        host->window()->runDisplayPass();
        table = send(page.get(), sel::table);
    }
    void TearDown() override
    {
        host.reset();
        PaneTest::TearDown();
    }

    UITableViewCell* row(int section) { return table->cellForRowAtIndexPath({ section, 0 }); }
    CorvaneTableViewCellProfile* profileRow(int section)
    {
        return runtimeCast<CorvaneTableViewCellProfile>(row(section));
    }

    void tapRow(int section)
    {
        CGRect area = table->rectForRowAtIndexPath({ section, 0 });
        host->window()->tap(table->convertPointToView({ area.midX(), area.midY() }, host->window()));
        host->window()->runDisplayPass();
    }

    std::unique_ptr<SettingsHost> host;
    RefPtr<CorvaneProfileController> page;
    UITableView* table { nullptr };
};

TEST_F(CreatorsPage, ShowsTwoCreatorsAndTheFollowRowUnderItsTitle)
{
    EXPECT_EQ(host->topPage(), page.get());
    EXPECT_EQ(send(page.get(), sel::title), NSString("Creators"));
    EXPECT_EQ(send(page.get(), sel::navigationTitle), NSString("Creators"));
    EXPECT_EQ(send(page.get(), sel::preferences), nullptr);
    EXPECT_EQ(send(page.get(), sel::view), table);
    EXPECT_EQ(send(page.get(), sel::contentSize), table->frame().size);
    EXPECT_EQ(table->style(), UITableViewStyleGrouped);
    RefPtr<NSObject> fresh = send(CorvaneProfileController::staticClass(), sel::alloc);
    ASSERT_TRUE(send(fresh.get(), sel::initForContentSize, CGSizeMake(300, 200)));
    UITableView* freshTable = send(fresh.get(), sel::table);
    EXPECT_EQ(freshTable->frame(), CGRectMake(0, 0, 300, 200));
    EXPECT_EQ(freshTable->autoresizingMask(), 26u);

    ASSERT_EQ(table->numberOfSections(), 3);
    const CGFloat heights[] = { 104, 104, 44 };
    for (int section = 0; section < 3; ++section) {
        EXPECT_EQ(table->numberOfRowsInSection(section), 1);
        EXPECT_FLOAT_EQ(table->rectForRowAtIndexPath({ section, 0 }).height(), heights[section]);
        EXPECT_FLOAT_EQ(table->rectForHeaderInSection(section).height(), UITableView::sectionGap)
            << "no header titles";
    }
    ASSERT_NE(profileRow(0), nullptr);
    EXPECT_EQ(profileRow(0)->reuseIdentifier(), NSString("Profile"));
    EXPECT_EQ(profileRow(0)->nameLabel()->text(), NSString("Sable"));
    EXPECT_EQ(profileRow(0)->handleLabel()->text(), NSString("(@sabledraws)"));
    EXPECT_EQ(profileRow(0)->infoLabel()->text(),
        NSString("User Interface Designer, Designer of Corvane, Inkwell and Tallymark"));
    EXPECT_TRUE(isBundleImage(profileRow(0)->profileView()->image(), "Sable.png"));
    ASSERT_NE(profileRow(1), nullptr);
    EXPECT_EQ(profileRow(1)->nameLabel()->text(), NSString("Jonah Wendt"));
    EXPECT_EQ(profileRow(1)->handleLabel()->text(), NSString("(@jonahwendt)"));
    EXPECT_EQ(profileRow(1)->infoLabel()->text(),
        NSString("iOS Developer, Developer of Corvane, Inkwell and Tallymark"));
    EXPECT_TRUE(isBundleImage(profileRow(1)->profileView()->image(), "Jonah.png"));

    UITableViewCell* follow = row(2);
    ASSERT_NE(follow, nullptr);
    EXPECT_EQ(follow->reuseIdentifier(), NSString("Cell"));
    EXPECT_EQ(follow->textLabel()->text(), NSString("Follow Quillfen"));
    EXPECT_EQ(follow->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);
    EXPECT_TRUE(isBundleImage(follow->imageView()->image(), "FollowQuillfen.png"));
    auto* bird = runtimeCast<UIImageView>(follow->accessoryView());
    ASSERT_NE(bird, nullptr);
    EXPECT_TRUE(isBundleImage(bird->image(), "Twitter.png"));
    EXPECT_TRUE(isBundleImage(bird->highlightedImage(), "TwitterHighlighted.png"));

    auto* footer = runtimeCast<UILabel>(table->tableFooterView());
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text(), NSString(creditFooterText));
    EXPECT_FLOAT_EQ(footer->frame().height(), paneStyle::plainFont(15)->lineHeight());
    EXPECT_FLOAT_EQ(footer->frame().width(), table->frame().width());
}

TEST_F(CreatorsPage, SelectingARowOpensTheBareHandlesProfileAndUnselectsIt)
{
    UIApplication* application = UIApplication::sharedApplication();
    tapRow(0);
    tapRow(1);
    tapRow(2);
    EXPECT_EQ(application->openedURLs(),
        (std::vector<NSString> { "https://social.example/sabledraws", "https://social.example/jonahwendt",
            "https://social.example/Quillfen" }));
    EXPECT_FALSE(table->indexPathForSelectedRow().has_value());
    EXPECT_EQ(host->topPage(), page.get()) << "the page stays";
}

TEST_F(CreatorsPage, EveryBracketAndAtSignIsTakenOutOfTheHandle)
{
    // The page's handle list, read by name as the run-time hands it out.
    void* handles = nullptr;
    ASSERT_TRUE(object_getInstanceVariable(page.get(), "handles", &handles));
    auto* list = static_cast<NSMutableArray*>(handles);
    ASSERT_EQ(list->count(), 2u);
    list->removeAllObjects();
    list->addObject("((@so@me)one@)");
    list->addObject("@@jonah)(");
    tapRow(0);
    tapRow(1);
    EXPECT_EQ(UIApplication::sharedApplication()->openedURLs(),
        (std::vector<NSString> { "https://social.example/someone", "https://social.example/jonah" }));
}

TEST_F(CreatorsPage, ReplacesDashesOnRequest)
{
    EXPECT_EQ(send(page.get(), sel::removeDashinStringReplaceWith, NSString("a-b-c"), NSString("+")),
        NSString("a+b+c"));
    EXPECT_EQ(send(page.get(), sel::removeDashinStringReplaceWith, NSString("abc"), NSString("+")),
        NSString("abc"));
    EXPECT_EQ(
        send(page.get(), sel::removeDashinStringReplaceWith, NSString("--"), NSString("")), NSString(""));
}

TEST_F(CreatorsPage, AnUnknownNameGetsTheDevelopersPictureAndNoRole)
{
    send(profileRow(0), sel::setNameAndHandle, NSString("Someone Else"), NSString("(@someone)"));
    EXPECT_TRUE(isBundleImage(profileRow(0)->profileView()->image(), "Jonah.png"));
    EXPECT_TRUE(profileRow(0)->infoLabel()->text().isNil() || profileRow(0)->infoLabel()->text().isEmpty());
    EXPECT_EQ(profileRow(0)->nameLabel()->text(), NSString("Someone Else"));
}

TEST_F(CreatorsPage, LaysOutAProfileRowByItsNumbers)
{
    CorvaneTableViewCellProfile* cell = profileRow(0);
    CGSize content = cell->contentView()->frame().size;
    ASSERT_FLOAT_EQ(content.height, 104);
    EXPECT_EQ(cell->profileView()->frame(), CGRectMake(9, 13, 78, 78));
    EXPECT_EQ(cell->birdView()->frame(), CGRectMake(content.width - 25, 46, 16, 13));
    EXPECT_TRUE(isBundleImage(cell->birdView()->image(), "Twitter.png"));
    EXPECT_TRUE(isBundleImage(cell->birdView()->highlightedImage(), "TwitterHighlighted.png"));

    UIFont* nameFont = cell->nameLabel()->font();
    CGSize name = sizeWithFont("Sable", nameFont);
    CGSize handle = sizeWithFont("(@sabledraws)", nameFont);
    EXPECT_EQ(cell->nameLabel()->frame(), CGRectMake(97, 13, name.width, name.height));
    EXPECT_EQ(
        cell->handleLabel()->frame(), CGRectMake(97 + name.width + 4.5F, 13, handle.width, handle.height));
    EXPECT_FLOAT_EQ(cell->handleLabel()->frame().height(), cell->nameLabel()->frame().height());
    EXPECT_EQ(
        cell->infoLabel()->frame(), CGRectMake(97, 13 + name.height + 2, content.width - 25 - 97 - 5, 55));

    EXPECT_EQ(nameFont->pointSize(), 18);
    EXPECT_EQ(nameFont->fontName(), UIFont::boldSystemFontOfSize(18)->fontName());
    EXPECT_EQ(cell->handleLabel()->font()->fontName(), UIFont::systemFontOfSize(16)->fontName());
    EXPECT_EQ(cell->handleLabel()->font()->pointSize(), 16);
    EXPECT_EQ(cell->infoLabel()->numberOfLines(), 3);
    EXPECT_EQ(cell->infoLabel()->lineBreakMode(), UILineBreakModeWordWrap);
    EXPECT_EQ(cell->infoLabel()->textColor()->CGColor(), CGColor::white(0, 0.5F));
}

TEST_F(CreatorsPage, AHandleTooLongForTheRowEndsAtItsEdge)
{
    CorvaneTableViewCellProfile* cell = profileRow(1);
    CGFloat width = cell->contentView()->frame().width();
    UIFont* nameFont = cell->nameLabel()->font();
    CGRect name = cell->nameLabel()->frame();
    CGRect handle = cell->handleLabel()->frame();
    CGSize wanted = sizeWithFont("(@jonahwendt)", nameFont);
    ASSERT_GT(name.maxX() + 4.5F + wanted.width, width - 9) << "the developer's handle is the long one";
    EXPECT_FLOAT_EQ(handle.minX(), name.maxX() + 4.5F);
    EXPECT_FLOAT_EQ(handle.maxX(), width - 9);
    EXPECT_FLOAT_EQ(handle.height(), name.height());
}

TEST_F(CreatorsPage, AWiderRowMovesOnlyTheBirdAndTheRoleEdge)
{
    CorvaneTableViewCellProfile* cell = profileRow(0);
    CGRect picture = cell->profileView()->frame();
    CGRect name = cell->nameLabel()->frame();
    CGRect handle = cell->handleLabel()->frame();
    CGRect bird = cell->birdView()->frame();
    CGRect info = cell->infoLabel()->frame();

    CGRect frame = cell->frame();
    cell->setFrame(CGRectMake(frame.minX(), frame.minY(), frame.width() + 40, frame.height()));
    host->window()->runDisplayPass();
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->profileView()->frame(), picture);
    EXPECT_EQ(cell->nameLabel()->frame(), name);
    EXPECT_EQ(cell->handleLabel()->frame(), handle);
    EXPECT_FLOAT_EQ(cell->birdView()->frame().minX(), bird.minX() + 40);
    EXPECT_FLOAT_EQ(cell->infoLabel()->frame().width(), info.width() + 40);
}

TEST_F(CreatorsPage, RoundsTheBirdsTopHalvesAwayFromZero)
{
    CorvaneTableViewCellProfile* cell = profileRow(0);
    CGRect frame = cell->frame();
    cell->setFrame(CGRectMake(frame.minX(), frame.minY(), frame.width(), 100));
    cell->layoutIfNeeded();
    EXPECT_FLOAT_EQ(cell->birdView()->frame().minY(), 44) << "43.5 rounds up";
    EXPECT_FLOAT_EQ(cell->profileView()->frame().minY(), 11);
}

TEST_F(CreatorsPage, RecycledRowsAreFilledAgain)
{
    // Reloading hands the rows back to the reuse pool and asks for them anew.
    UITableViewCell* first = row(0);
    table->reloadData();
    EXPECT_EQ(profileRow(0)->nameLabel()->text(), NSString("Sable"));
    EXPECT_EQ(profileRow(1)->nameLabel()->text(), NSString("Jonah Wendt"));
    EXPECT_TRUE(row(0) == first || row(1) == first) << "a creator row was reused";
    EXPECT_EQ(row(2)->textLabel()->text(), NSString("Follow Quillfen"));
    EXPECT_NE(row(2)->accessoryView(), nullptr);
}

} // namespace
