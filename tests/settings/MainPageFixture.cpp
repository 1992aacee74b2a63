#include "tests/settings/MainPageFixture.h"

#include "platform/uikit/UIWindow.h"
#include "settings/CorvaneTableViewCellTextField.h"

void MainPageFixture::SetUp()
{
    PaneTest::SetUp();
    keyboard = std::make_unique<InstalledKeyboard>();
    host = std::make_unique<SettingsHost>();
    SettingsPaneEntry entry;
    entry.label = "Corvane";
    entry.cell = "PSLinkCell";
    entry.principalClass = CorvanePrefController::staticClass();
    host->listController()->setPanes({ entry });
    ASSERT_TRUE(host->openPane("Corvane"));
    page = RefPtr(runtimeCast<CorvanePrefController>(host->topPage()));
    ASSERT_TRUE(page);
    table = page->table();
}

void MainPageFixture::TearDown()
{
    page = nullptr;
    host.reset();
    keyboard.reset();
    PaneTest::TearDown();
}

UITableViewCell* MainPageFixture::row(int section)
{
    return table->cellForRowAtIndexPath({ section, 0 });
}

CGPoint MainPageFixture::rowTapPoint(int section)
{
    host->window()->runDisplayPass();
    CGRect area = table->rectForRowAtIndexPath({ section, 0 });
    return table->convertPointToView({ area.minX() + 14, area.midY() }, host->window());
}

void MainPageFixture::tapRow(int section)
{
    host->window()->tap(rowTapPoint(section));
    host->window()->runDisplayPass();
}

void MainPageFixture::tapTestField()
{
    auto* cell = runtimeCast<CorvaneTableViewCellTextField>(row(1));
    ASSERT_NE(cell, nullptr);
    UITextField* field = cell->textField();
    host->window()->runDisplayPass();
    CGRect area = field->convertRectToView(field->bounds(), host->window());
    host->window()->tap({ area.midX(), area.midY() });
    host->window()->runDisplayPass();
}
