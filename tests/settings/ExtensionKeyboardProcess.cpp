#include "tests/settings/ExtensionKeyboardProcess.h"

#include "contracts/CorvaneContract.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSRunLoop.h"
#include "tests/support/InjectedKeyboardApplication.h"
#include "tests/support/TouchScreen.h"

namespace {

bool settingsChangeHeard = false;

void hearSettingsChange(CFNotificationCenterRef, void*, NSString, const void*, NSMutableDictionary*)
{
    settingsChangeHeard = true;
}

char upwardGestureOnQ(InjectedKeyboardApplication& application)
{
    application.clearTypedText();
    auto start = TouchScreen::centerOfKeyNamed("Latin-Small-Letter-Q");
    if (!start)
        return 'X';
    TouchScreen finger;
    finger.touchDown(*start);
    finger.touchMove({ start->x, start->y - 12 });
    finger.touchUp();
    if (application.typedText() == "1")
        return 'S';
    if (application.typedText() == "q")
        return 'F';
    return 'X';
}

} // namespace

int runExtensionKeyboardProcess(const PipeSignal& answers, const PipeSignal& quit)
{
    InjectedKeyboardApplication application;
    if (application.injection().loaded.size() != 1) {
        answers.send('L');
        return 2;
    }
    application.showKeyboard();
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), &settingsChangeHeard,
        &hearSettingsChange, contract::settingsChangedNotification, nullptr, 0);
    answers.send(upwardGestureOnQ(application));

    NSRunLoop::main().setClock(NSRunLoop::Clock::Real);
    while (!quit.wait(0)) {
        NSRunLoop::main().runFor(0.02);
        if (settingsChangeHeard) {
            settingsChangeHeard = false;
            answers.send(upwardGestureOnQ(application));
        }
    }
    return 0;
}
