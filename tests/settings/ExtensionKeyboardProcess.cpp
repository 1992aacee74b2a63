#include "tests/settings/ExtensionKeyboardProcess.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/keyboard/KeyboardTouchDriver.h"
#include "platform/keyboard/SystemKeyboardPresenter.h"
#include "platform/substrate/InjectionLoader.h"
#include "platform/uikit/UITextInput.h"
#include "platform/uikit/UIWindow.h"

#include <string>

namespace {

// What the keyboard types lands here, as in an application's text field.
class TypedText final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("SettingsRoundTripTypedText", NSObject::staticClass());
            addMethod(created, sel::insertText,
                [](NSObject* self, NSString text) { static_cast<TypedText*>(self)->text += text.utf8(); });
            addMethod(created, sel::keyboardType, [](NSObject*) { return 0; });
            return created;
        }();
        return cls;
    }
    TypedText()
        : NSObject(staticClass())
    {
    }
    std::string text;
};

bool settingsChangeHeard = false;

void hearSettingsChange(CFNotificationCenterRef, void*, NSString, const void*, NSMutableDictionary*)
{
    settingsChangeHeard = true;
}

char upwardGestureOnQ(TypedText& input)
{
    input.text.clear();
    auto start = KeyboardTouchDriver::centerOfKeyNamed("Latin-Small-Letter-Q");
    if (!start)
        return 'X';
    KeyboardTouchDriver finger;
    finger.touchDown(*start);
    finger.touchMove({ start->x, start->y - 12 });
    finger.touchUp();
    if (input.text == "1")
        return 'S';
    if (input.text == "q")
        return 'F';
    return 'X';
}

} // namespace

int runExtensionKeyboardProcess(const PipeSignal& answers, const PipeSignal& quit)
{
    InjectionReport report = loadInjectedLibraries({ "com.example.notes", "", { "com.apple.UIKit" } });
    if (report.loaded.size() != 1) {
        answers.send('L');
        return 2;
    }
    SystemKeyboardPresenter presenter;
    auto window = UIWindow::make(CGRectMake(0, 0, 320, 480));
    auto input = makeRef<TypedText>();
    presenter.presentKeyboard(window.get(), input.get());
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), &settingsChangeHeard,
        &hearSettingsChange, "com.quillfen.corvane.preferencechanged", nullptr, 0);
    answers.send(upwardGestureOnQ(*input));

    NSRunLoop::main().setClock(NSRunLoop::Clock::Real);
    while (!quit.wait(0)) {
        NSRunLoop::main().runFor(0.02);
        if (settingsChangeHeard) {
            settingsChangeHeard = false;
            answers.send(upwardGestureOnQ(*input));
        }
    }
    presenter.dismissKeyboard();
    return 0;
}
