#pragma once

#include "contracts/CorvaneContract.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

// Readable values in failure messages.
void PrintTo(const NSString& string, std::ostream* out);
void PrintTo(const CGRect& rect, std::ostream* out);
void PrintTo(const CGPoint& point, std::ostream* out);
void PrintTo(const CGSize& size, std::ostream* out);
void PrintTo(const UIEdgeInsets& insets, std::ostream* out);

// The settings file and notification the pane and the keyboard share.
inline constexpr const char* settingsDevicePath = contract::settingsFilePath;
inline constexpr const char* changeNotification = contract::settingsChangedNotification;

// The bundle the build laid out, linked into the test's fresh device root,
// and the folder the settings file lives in.
void installPaneBundle();
void preparePreferencesFolder();
std::string settingsFilePath();
void writeSettingsFile(const NSMutableDictionary& settings);
// Nothing when the file is absent or unreadable.
RefPtr<NSMutableDictionary> readSettingsFile();
std::string bundleFilePath(const std::string& name);

// Counts the change notifications that reach this process.
class ChangeNotificationCounter {
public:
    ChangeNotificationCounter();
    ~ChangeNotificationCounter();
    ChangeNotificationCounter(const ChangeNotificationCounter&) = delete;
    ChangeNotificationCounter& operator=(const ChangeNotificationCounter&) = delete;

    // Lets the run loop deliver what was posted, then answers the count.
    int heard();

private:
    int m_heard { 0 };
};

// Pixel for pixel the bundle image of that file name.
::testing::AssertionResult isBundleImage(const UIImage* image, const std::string& fileName);

// Draws the view and its subtree into a bitmap at scale 2 and writes it where
// the build keeps the pane's renders; answers the image for pixel probes.
CGImageRef renderView(UIView* view, const std::string& fileName);
// Premultiplication aside, whether a pixel is close to the colour.
bool pixelIsNear(CGPixel pixel, int red, int green, int blue, int tolerance = 12);

// Every pane test: a fresh store, the built bundle in the device root, no
// mail account, no tweeting, no opened addresses and no alerts left over.
class PaneTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
