#include "bench/keyboard/BenchKeyboard.h"

#include "keyboard/ExtensionStartup.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/Settings.h"
#include "platform/foundation/DarwinNotifyCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSLocale.h"
#include "platform/keyboard/KeyboardSelectors.h"
#include "platform/keyboard/UIKeyboardCache.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/UITextInput.h"
#include "tests/support/TouchScreen.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <stdexcept>
#include <unistd.h>

namespace {

// A text field that forgets what is typed, so that long runs hold no growing text.
class DiscardingTextInput final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("BenchDiscardingTextInput", NSObject::staticClass());
            addMethod(created, sel::insertText, [](NSObject*, NSString) {});
            addMethod(created, sel::deleteBackward, [](NSObject*) {});
            addMethod(created, sel::hasText, [](NSObject*) { return false; });
            addMethod(created, sel::keyboardType,
                [](NSObject* self) { return static_cast<DiscardingTextInput*>(self)->m_type; });
            return created;
        }();
        return cls;
    }
    explicit DiscardingTextInput(int keyboardType)
        : NSObject(staticClass())
        , m_type(keyboardType)
    {
    }

private:
    int m_type;
};

// The platform with its key-image cache switched off, as the extension
// switches it off, but with nothing else replaced.
bool cacheDisabled(NSObject*)
{
    return false;
}

// The settings file as the pane writes it: every setting at its default but
// the gesture.
void writeGestureSetting(BenchGesture gesture)
{
    std::string path = DeviceRoot::devicePath(settingsFilePath);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    auto settings = NSMutableDictionary::dictionary();
    for (const contract::Setting& setting : contract::settings)
        settings->setObject(setting.defaultChoice(), setting.key);
    settings->setObject(
        gesture == BenchGesture::SlideUp ? contract::slideUpGesture : contract::flickUpGesture,
        contract::gestureKey);
    if (!settings->writeToFile(path, true))
        throw std::runtime_error("cannot write the settings file");
}

std::string makeTemporaryRoot()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary device root");
    return pattern;
}

} // namespace

BenchKeyboard::BenchKeyboard(BenchMode mode, BenchGesture gesture)
    : m_root(makeTemporaryRoot())
    , m_driver(std::make_unique<TouchScreen>())
{
    runtimeRestoreRegisteredMethods();
    resetExtensionStateForTesting();
    DarwinNotifyCenter::shared().reset();
    DeviceRoot::setOverride(m_root);
    NSLocale::setCurrentLocaleIdentifier("en_US");
    if (mode == BenchMode::Extension) {
        writeGestureSetting(gesture);
        initializeExtension();
    } else if (mode == BenchMode::PlatformCacheOff) {
        Selector<bool()>::Implementation previous = nullptr;
        MSHookMessageEx(
            object_getClass(UIKeyboardCache::staticClass()), sel::enabled, cacheDisabled, &previous);
    }
}

BenchKeyboard::~BenchKeyboard()
{
    m_driver->touchCancel();
    m_presenter.reset();
    m_window = nullptr;
    m_input = nullptr;
    runtimeRestoreRegisteredMethods();
    DarwinNotifyCenter::shared().reset();
    DeviceRoot::clearOverride();
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

void BenchKeyboard::present(int keyboardType, CGSize windowSize, const char* letterLayout)
{
    m_driver->touchCancel();
    m_presenter = std::make_unique<SystemKeyboardPresenter>();
    m_presenter->setLetterLayout(findLetterLayout(letterLayout));
    m_window = UIWindow::make(CGRectMake(0, 0, windowSize.width, windowSize.height));
    m_input = makeRef<DiscardingTextInput>(keyboardType);
    m_presenter->presentKeyboard(m_window.get(), m_input.get());
}

UIKeyboardImpl* BenchKeyboard::keyboardImpl() const
{
    return runtimeCast<UIKeyboardImpl>(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
}

UIKeyboardLayoutStar* BenchKeyboard::layout() const
{
    return runtimeCast<UIKeyboardLayoutStar>(send(keyboardImpl(), sel::layout));
}

void BenchKeyboard::switchTo(const NSString& keyplaneName) const
{
    send(layout(), sel::setKeyplaneName, keyplaneName);
}

UIKBTree* BenchKeyboard::firstKeyNamed(const char* keyName) const
{
    auto* keyplane = static_cast<UIKBTree*>(send(layout(), sel::keyplane));
    RefPtr<NSMutableArray> keys = send(keyplane, sel::keysByKeyName, NSString(keyName));
    return keys && keys->count() ? static_cast<UIKBTree*>(keys->objectAtIndex(0).object()) : nullptr;
}

std::vector<UIKBTree*> BenchKeyboard::letterKeys() const
{
    std::vector<UIKBTree*> letters;
    for (const Value& key : *send(send(layout(), sel::keyplane), sel::keys)) {
        NSString represented = send(key.object(), sel::representedString);
        const std::string& text = represented.utf8();
        if (text.size() == 1 && text[0] >= 'a' && text[0] <= 'z')
            letters.push_back(static_cast<UIKBTree*>(key.object()));
    }
    return letters;
}

CGPoint BenchKeyboard::centerOfKeyNamed(const char* keyName) const
{
    CGRect frame = send(firstKeyNamed(keyName), sel::frame);
    return { frame.midX(), frame.midY() };
}

void BenchKeyboard::touchDown(CGPoint point, int finger)
{
    m_driver->touchDown(point, finger);
}

void BenchKeyboard::touchMove(CGPoint point, int finger)
{
    m_driver->touchMove(point, finger);
}

void BenchKeyboard::touchUp(CGPoint point, int finger)
{
    m_driver->touchUp(point, finger);
}

void BenchKeyboard::touchUp(int finger)
{
    m_driver->touchUp(finger);
}

void BenchKeyboard::touchCancel(int finger)
{
    m_driver->touchCancel(finger);
}

std::size_t heapBytesInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::size_t residentBytes()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    unsigned long sizePages = 0;
    unsigned long residentPages = 0;
    int read = std::fscanf(statm, "%lu %lu", &sizePages, &residentPages);
    std::fclose(statm);
    return read == 2 ? residentPages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) : 0;
}
