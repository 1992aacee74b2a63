#include "tests/settings/PaneTestSupport.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/graphics/CGBitmapContext.h"
#include "platform/social/MFMailComposeViewController.h"
#include "platform/social/TWTweetComposeViewController.h"
#include "platform/uikit/UIAlertView.h"
#include "platform/uikit/UIApplication.h"
#include "settings/PrefsHelper.h"

#include <cstdlib>
#include <filesystem>

namespace {

void countHeard(CFNotificationCenterRef, void* observer, NSString, const void*, NSMutableDictionary*)
{
    ++*static_cast<int*>(observer);
}

} // namespace

void PrintTo(const NSString& string, std::ostream* out)
{
    *out << (string.isNil() ? std::string("nil") : "\"" + string.utf8() + "\"");
}

void PrintTo(const CGRect& rect, std::ostream* out)
{
    *out << "(" << rect.minX() << ", " << rect.minY() << ", " << rect.width() << ", " << rect.height() << ")";
}

void PrintTo(const CGPoint& point, std::ostream* out)
{
    *out << "(" << point.x << ", " << point.y << ")";
}

void PrintTo(const CGSize& size, std::ostream* out)
{
    *out << size.width << " x " << size.height;
}

void PrintTo(const UIEdgeInsets& insets, std::ostream* out)
{
    *out << "{" << insets.top << ", " << insets.left << ", " << insets.bottom << ", " << insets.right << "}";
}

void installPaneBundle()
{
    std::filesystem::path link = DeviceRoot::devicePath(PrefsHelper::bundlePath);
    std::filesystem::create_directories(link.parent_path());
    std::filesystem::create_directory_symlink(CORVANE_PREF_BUNDLE_DIR, link);
}

void preparePreferencesFolder()
{
    std::filesystem::create_directories(std::filesystem::path(settingsFilePath()).parent_path());
}

std::string settingsFilePath()
{
    return DeviceRoot::devicePath(settingsDevicePath);
}

void writeSettingsFile(const NSMutableDictionary& settings)
{
    preparePreferencesFolder();
    ASSERT_TRUE(settings.writeToFile(settingsFilePath(), true));
}

RefPtr<NSMutableDictionary> readSettingsFile()
{
    return NSMutableDictionary::dictionaryWithContentsOfFile(settingsFilePath());
}

std::string bundleFilePath(const std::string& name)
{
    return std::string(CORVANE_PREF_BUNDLE_DIR) + "/" + name;
}

ChangeNotificationCounter::ChangeNotificationCounter()
{
    CFNotificationCenterAddObserver(
        CFNotificationCenterGetDarwinNotifyCenter(), &m_heard, &countHeard, changeNotification, nullptr, 0);
}

ChangeNotificationCounter::~ChangeNotificationCounter()
{
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), &m_heard);
}

int ChangeNotificationCounter::heard()
{
    NSRunLoop::main().runUntilIdle();
    return m_heard;
}

::testing::AssertionResult isBundleImage(const UIImage* image, const std::string& fileName)
{
    if (!image)
        return ::testing::AssertionFailure() << "no image where " << fileName << " belongs";
    CGImageRef expected = CGImageCreateWithPNGFile(bundleFilePath(fileName));
    if (!expected)
        return ::testing::AssertionFailure() << fileName << " is not in the built bundle";
    const CGImageRef& actual = image->CGImage();
    std::size_t width = CGImageGetWidth(expected);
    std::size_t height = CGImageGetHeight(expected);
    if (CGImageGetWidth(actual) != width || CGImageGetHeight(actual) != height)
        return ::testing::AssertionFailure() << "the image is not the size of " << fileName;
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            if (!(CGImageGetPixel(actual, x, y) == CGImageGetPixel(expected, x, y)))
                return ::testing::AssertionFailure()
                    << "the image differs from " << fileName << " at " << x << "," << y;
        }
    }
    return ::testing::AssertionSuccess();
}

CGImageRef renderView(UIView* view, const std::string& fileName)
{
    CGSize size = view->frame().size;
    CGContextPtr context = CGBitmapContextCreate(size.width, size.height, 2);
    view->drawHierarchy(*context);
    CGImageRef image = CGBitmapContextCreateImage(context.get());
    std::filesystem::create_directories(CORVANE_RENDER_DIR);
    EXPECT_TRUE(CGImageWritePNG(image, std::string(CORVANE_RENDER_DIR) + "/" + fileName));
    return image;
}

bool pixelIsNear(CGPixel pixel, int red, int green, int blue, int tolerance)
{
    return std::abs(pixel.red - red) <= tolerance && std::abs(pixel.green - green) <= tolerance
        && std::abs(pixel.blue - blue) <= tolerance && pixel.alpha > 200;
}

void PaneTest::SetUp()
{
    PrefsHelper::resetProcessState();
    installPaneBundle();
    preparePreferencesFolder();
    MFMailComposeViewController::setCanSendMail(false);
    TWTweetComposeViewController::setCanSendTweet(false);
    UIApplication::sharedApplication()->clearOpenedURLs();
}

void PaneTest::TearDown()
{
    for (UIAlertView* alert : UIAlertView::visibleAlerts())
        alert->dismissWithClickedButtonIndexAnimated(0, false);
    MFMailComposeViewController::setCanSendMail(false);
    TWTweetComposeViewController::setCanSendTweet(false);
    UIApplication::sharedApplication()->clearOpenedURLs();
    PrefsHelper::resetProcessState();
}
