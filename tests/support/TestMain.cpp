#include "platform/foundation/DarwinNotifyCenter.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSUncaughtExceptionHandler.h"
#include "platform/runtime/Class.h"
#include "tests/support/TemporaryDeviceRoot.h"

#include <gtest/gtest.h>
#include <memory>

// Fontconfig keeps its font lists in memory-mapped cache files, which the
// leak checker of sanitizer builds does not scan, so what they hold looks
// lost. Only fontconfig's own allocations are excused, in every test program.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

// Every test starts from the platform's own state: its own empty device
// root, no method replacements, a fresh run loop on the virtual clock at 0,
// no observers, the default locale and no uncaught-exception handler.
class FreshPlatformState final : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        runtimeRestoreRegisteredMethods();
        resetFoundation();
        m_deviceRoot = std::make_unique<TemporaryDeviceRoot>();
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        resetFoundation();
        m_deviceRoot.reset();
    }

    static void resetFoundation()
    {
        DarwinNotifyCenter::shared().reset();
        NSNotificationCenter::defaultCenter()->reset();
        NSRunLoop::main().reset();
        NSLocale::setCurrentLocaleIdentifier(NSLocale::defaultLocaleIdentifier);
        NSSetUncaughtExceptionHandler(nullptr);
    }

    std::unique_ptr<TemporaryDeviceRoot> m_deviceRoot;
};

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshPlatformState); // gtest owns listeners
    return RUN_ALL_TESTS();
}
