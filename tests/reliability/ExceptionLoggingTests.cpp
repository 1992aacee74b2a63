#include "keyboard/DisplacedImplementations.h"
#include "keyboard/GestureInput.h"
#include "platform/runtime/NSException.h"
#include "tests/keyboard/ExtensionTestSupport.h"

namespace {

using namespace extension_test;

class ExceptionLoggingDeathTest : public ExtensionFixture { };

NSObject* throwingKeyHitTest(NSObject*, CGPoint)
{
    throw NSException("NSRangeException", "no key there");
}

// A fault inside a replaced method ends the host, but not silently: the
// extension's handler logs the reason and the call stack first.
TEST_F(ExceptionLoggingDeathTest, ThrowFromAReplacedMethodIsLoggedWithItsCallStack)
{
    EXPECT_DEATH(
        {
            startExtension();
            present();
            gDisplaced<keyHitTestReplacement> = throwingKeyHitTest;
            CGPoint point = centerOf(key("q"));
            // What leaves the event handling unhandled ends the process the platform's way.
            [&]() noexcept { driver.touchDown(point); }();
        },
        "Corvane Uncaught Exception: no key there \\*+\n.*\\*\\*\\*\\*\\* "
        ".*UIKeyboardLayoutStar.*touchesBegan");
}

} // namespace
