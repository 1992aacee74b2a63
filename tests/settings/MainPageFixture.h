#pragma once

#include "platform/preferences/SettingsHost.h"
#include "settings/CorvanePrefController.h"
#include "tests/settings/InstalledKeyboard.h"
#include "tests/settings/PaneTestSupport.h"

#include <memory>

// The Settings application with the pane listed, opened by a tap on its row
// as the user opens it, and the platform's keyboard installed.
class MainPageFixture : public PaneTest {
protected:
    void SetUp() override;
    void TearDown() override;

    UITableViewCell* row(int section);
    // A point of the row off its controls: near its left edge, halfway down.
    CGPoint rowTapPoint(int section);
    void tapRow(int section);
    // Taps the test field in the second row, which brings up the keyboard.
    void tapTestField();

    std::unique_ptr<InstalledKeyboard> keyboard;
    std::unique_ptr<SettingsHost> host;
    RefPtr<CorvanePrefController> page;
    UITableView* table { nullptr };
};
