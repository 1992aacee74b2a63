#pragma once

#include "platform/preferences/SettingsHost.h"
#include "settings/CorvanePrefController.h"
#include "tests/settings/PaneTestSupport.h"

#include <memory>

// The Settings application with the pane listed, opened by a tap on its row
// as the user opens it.
class MainPageFixture : public PaneTest {
protected:
    void SetUp() override;
    void TearDown() override;

    UITableViewCell* row(int section);
    // A point of the row off its controls: near its left edge, halfway down.
    CGPoint rowTapPoint(int section);
    void tapRow(int section);

    std::unique_ptr<SettingsHost> host;
    RefPtr<CorvanePrefController> page;
    UITableView* table { nullptr };
};
