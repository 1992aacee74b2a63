#include "simulator/AppHost.h"

#include "platform/foundation/DarwinNotifyCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSUncaughtExceptionHandler.h"
#include "platform/substrate/InjectionLoader.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"
#include "simulator/AppProcess.h"
#include "simulator/KeyboardKeys.h"
#include "simulator/ScreenTexts.h"
#include "simulator/Screenshot.h"
#include "simulator/SettingsApp.h"
#include "simulator/SettingsFile.h"
#include "simulator/SystemKeyboard.h"
#include "simulator/TestApp.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr CGSize portraitScreen { 320, 568 };

std::string inQuotes(const std::string& text)
{
    return quoteScriptString(text);
}

} // namespace

AppHost::AppHost(HostOptions options)
    : m_options(std::move(options))
{
}

AppHost::~AppHost() = default;

HostProcess AppHost::hostProcess() const
{
    HostProcess process;
    if (m_options.app == "settings")
        process.bundleIdentifier = "com.apple.Preferences";
    else if (m_options.app == "notes")
        process.bundleIdentifier = "com.apple.mobilenotes";
    else
        process.bundleIdentifier = "com.quillfen.keyboardtest";
    process.frameworks = { "com.apple.UIKit" };
    return process;
}

CGRect AppHost::screenBounds() const
{
    if (m_options.orientation == "landscape")
        return { { 0, 0 }, { portraitScreen.height, portraitScreen.width } };
    return { { 0, 0 }, portraitScreen };
}

std::unique_ptr<HostApp> AppHost::makeApp()
{
    if (m_options.app == "settings")
        return SettingsApp::open(screenBounds());
    if (m_options.app == "notes")
        return std::make_unique<TestApp>(screenBounds(), "Notes", "Write a note");
    return std::make_unique<TestApp>(screenBounds(), "Keyboard Test", "Type here");
}

HostReply AppHost::boot()
{
    // 1. The device: its root, and the folder the settings file lives in.
    std::error_code failure;
    if (!std::filesystem::is_directory(m_options.deviceRoot, failure))
        return HostReply::error("the device root " + m_options.deviceRoot + " is not a folder");
    DeviceRoot::setOverride(m_options.deviceRoot);
    std::filesystem::create_directories(std::filesystem::path(SettingsFile::path()).parent_path(), failure);

    // 2. The clock, the locale and the screen.
    NSRunLoop::main().setClock(m_options.realClock ? NSRunLoop::Clock::Real : NSRunLoop::Clock::Virtual);
    NSLocale::setCurrentLocaleIdentifier(m_options.locale);
    UIScreen::mainScreen()->setBounds(screenBounds());
    UIScreen::mainScreen()->setScale(Screenshot::scale);

    // 3. The system keyboard, then what the injection framework loads into
    // every process that shows it, as the platform starts an app.
    m_keyboard = std::make_unique<SystemKeyboard>();
    InjectionReport injected = loadInjectedLibraries(hostProcess());
    if (std::getenv("CORVANE_SIM_TRACE")) {
        for (const std::string& library : injected.loaded)
            std::fprintf(stderr, "corvane-sim: %s app: loaded %s\n", m_options.app.c_str(), library.c_str());
    }

    // 4. The app and its window.
    m_app = makeApp();
    // Display passes run on the next turn of the run loop, as the toolkit
    // schedules them; the host also notes that the screen changed.
    UIWindow* window = m_app->window();
    window->setDisplayPassScheduler([this, window] {
        m_screenChanged = true;
        NSRunLoop::main().performOnNextTurn([weakWindow = WeakPtr<UIWindow>(window)] {
            if (UIWindow* shown = weakWindow.get())
                shown->runDisplayPass();
        });
    });
    if (m_options.hasFrameBuffer) {
        FrameBuffer buffer = FrameBuffer::adopt(AppProcess::frameDescriptor);
        if (!buffer.isValid())
            return HostReply::error("cannot map the frame buffer the driver handed over");
        m_frameBuffer.emplace(std::move(buffer));
    }
    pump();
    return HostReply::ok();
}

void AppHost::pump()
{
    NSRunLoop::main().runUntilIdle();
}

HostReply AppHost::perform(const ScriptCommand& command)
{
    pump();
    HostReply reply;
    try {
        reply = execute(command);
    } catch (...) {
        // As on the device: the handler sees it, the log says so, the app ends.
        terminateWithUncaughtException(std::current_exception());
    }
    pump();
    // Asking for a frame changes nothing on screen; anything else may have.
    if (command.kind != ScriptCommandKind::Render)
        m_screenChanged = true;
    return reply;
}

void AppHost::shutDown()
{
    m_finger.cancel();
    m_app.reset();
    m_keyboard.reset();
    // The process ends: its notification socket goes with it, not at the
    // next post from another process.
    DarwinNotifyCenter::shared().reset();
}

NSObject* AppHost::keyOrError(const std::string& name, HostReply& failure)
{
    std::string error;
    NSObject* key = KeyboardKeys::find(name, error);
    if (!key)
        failure = HostReply::error(error);
    return key;
}

void AppHost::presentKeyboardAgain()
{
    UITextField* field = m_app->textField();
    if (!field || !field->isFirstResponder())
        return;
    field->resignFirstResponder();
    field->becomeFirstResponder();
}

HostReply AppHost::focusKeyboard(const ScriptCommand& command)
{
    UITextField* field = m_app->textField();
    if (!field)
        return HostReply::error("this app has no text field on screen");
    m_keyboard->setLetterLayout(command.layout);
    field->setKeyboardType(command.keyboardType.value_or(0));
    if (field->isFirstResponder())
        field->resignFirstResponder();
    if (!field->becomeFirstResponder() || !KeyboardKeys::activeLayout())
        return HostReply::error("the text field did not bring up a keyboard");
    return HostReply::ok();
}

HostReply AppHost::switchKeyplane(const std::string& name)
{
    std::string error;
    if (!KeyboardKeys::switchKeyplane(name, error))
        return HostReply::error(error);
    return HostReply::ok();
}

HostReply AppHost::changeShift(ScriptCommandKind kind)
{
    auto done = [kind] {
        bool shifted = SystemKeyboard::isShifted();
        bool locked = SystemKeyboard::isShiftLocked();
        switch (kind) {
        case ScriptCommandKind::Shift:
            return shifted;
        case ScriptCommandKind::ShiftLock:
            return locked;
        default:
            return !shifted && !locked;
        }
    };
    // The way a person does it: taps on the shift key, quick enough for a
    // double tap to lock.
    for (int taps = 0; !done(); ++taps) {
        if (taps == 3)
            return HostReply::error("the shift key did not get the keyboard there");
        HostReply failure;
        NSObject* shift = keyOrError("shift", failure);
        if (!shift)
            return failure;
        m_finger.downOnKeyboard(KeyboardKeys::centre(shift));
        m_finger.lift();
    }
    return HostReply::ok();
}

HostReply AppHost::keyGesture(const ScriptCommand& command)
{
    HostReply failure;
    NSObject* key = keyOrError(command.key, failure);
    if (!key)
        return failure;
    m_finger.downOnKeyboard(KeyboardKeys::centre(key));
    switch (command.kind) {
    case ScriptCommandKind::Tap:
        break;
    case ScriptCommandKind::Press:
        return HostReply::ok();
    case ScriptCommandKind::Flick:
    case ScriptCommandKind::Slide: {
        // Straight up in several drag events, about 5 points apart.
        int steps = std::max(3, static_cast<int>(std::ceil(std::abs(command.y) / 5)));
        for (int step = 1; step <= steps; ++step)
            m_finger.moveBy(0, static_cast<CGFloat>(-command.y * step / steps));
        break;
    }
    case ScriptCommandKind::Drag:
        for (int step = 1; step <= command.steps; ++step) {
            m_finger.moveBy(static_cast<CGFloat>(command.x * step / command.steps),
                static_cast<CGFloat>(command.y * step / command.steps));
        }
        break;
    default:
        break;
    }
    m_finger.lift();
    return HostReply::ok();
}

HostReply AppHost::tapText(const std::string& text, std::optional<double> beside)
{
    std::vector<ScreenText> texts = ScreenTexts::collect(m_app->window());
    const ScreenText* found = ScreenTexts::find(texts, text);
    if (!found)
        return HostReply::error("no view shows the text " + inQuotes(text) + "; the screen shows "
            + ScreenTexts::describe(texts));
    CGPoint centre { found->frame.midX(), found->frame.midY() };
    // Beside the text: from its left edge when the distance is negative, else from its right edge.
    if (beside)
        centre.x = static_cast<CGFloat>(
            *beside < 0 ? found->frame.minX() + *beside : found->frame.maxX() + *beside);
    m_finger.down(m_app->window(), centre);
    m_finger.up(centre);
    return HostReply::ok();
}

HostReply AppHost::expectation(const ScriptCommand& command)
{
    switch (command.kind) {
    case ScriptCommandKind::ExpectText: {
        UITextField* field = m_app->textField();
        std::string text = field ? field->text().utf8() : std::string();
        if (text == command.text)
            return HostReply::ok();
        return HostReply::failed("expected text " + inQuotes(command.text) + ", got " + inQuotes(text));
    }
    case ScriptCommandKind::ExpectAlt: {
        HostReply failure;
        NSObject* key = keyOrError(command.key, failure);
        if (!key)
            return failure;
        NSString alternate = KeyboardKeys::property(key, "KBrepresentedStringAlt");
        if (!alternate.isNil() && alternate.utf8() == command.text)
            return HostReply::ok();
        return HostReply::failed("expected the key " + inQuotes(command.key) + " to have the alternate "
            + inQuotes(command.text) + ", got " + (alternate.isNil() ? "none" : inQuotes(alternate.utf8())));
    }
    case ScriptCommandKind::ExpectSetting: {
        std::string problem;
        std::optional<int> value = SettingsFile::read(command.name, problem);
        if (value == command.value)
            return HostReply::ok();
        std::string expected = "expected the setting " + command.name + "=" + std::to_string(command.value);
        return HostReply::failed(
            expected + (value ? ", got " + command.name + "=" + std::to_string(*value) : ", but " + problem));
    }
    case ScriptCommandKind::ExpectScreenText: {
        std::vector<ScreenText> texts = ScreenTexts::collect(m_app->window());
        if (ScreenTexts::find(texts, command.text))
            return HostReply::ok();
        return HostReply::failed("expected the text " + inQuotes(command.text) + " on screen; it shows "
            + ScreenTexts::describe(texts));
    }
    default:
        return HostReply::error("not an expectation");
    }
}

HostReply AppHost::render()
{
    if (m_frameBuffer && (m_screenChanged || m_frameBuffer->header().sequence == 0)) {
        Screenshot::drawInto(m_app->window(), *m_frameBuffer);
        m_screenChanged = false;
    }
    return HostReply::ok();
}

HostReply AppHost::execute(const ScriptCommand& command)
{
    std::string error;
    switch (command.kind) {
    case ScriptCommandKind::Locale:
        m_options.locale = command.name;
        NSLocale::setCurrentLocaleIdentifier(command.name);
        presentKeyboardAgain();
        return HostReply::ok();
    case ScriptCommandKind::Orientation:
        m_options.orientation = command.name;
        UIScreen::mainScreen()->setBounds(screenBounds());
        m_app->setScreenBounds(screenBounds());
        presentKeyboardAgain();
        return HostReply::ok();
    case ScriptCommandKind::Keyboard:
        return focusKeyboard(command);
    case ScriptCommandKind::Settings:
        if (!SettingsFile::store(command.typeMode, command.gesture, error))
            return HostReply::error(error);
        return HostReply::ok();
    case ScriptCommandKind::Keyplane:
        return switchKeyplane(command.name);
    case ScriptCommandKind::Shift:
    case ScriptCommandKind::ShiftLock:
    case ScriptCommandKind::Unshift:
        return changeShift(command.kind);
    case ScriptCommandKind::Tap:
    case ScriptCommandKind::Flick:
    case ScriptCommandKind::Slide:
    case ScriptCommandKind::Drag:
    case ScriptCommandKind::Press:
        return keyGesture(command);
    case ScriptCommandKind::TapPoint: {
        CGPoint point { static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y) };
        m_finger.down(m_app->window(), point);
        m_finger.up(point);
        return HostReply::ok();
    }
    case ScriptCommandKind::TapText:
        return tapText(command.text, std::nullopt);
    case ScriptCommandKind::TapBeside:
        return tapText(command.text, command.x);
    case ScriptCommandKind::Move:
        if (!m_finger.isDown())
            return HostReply::error("move needs a finger on the screen; press a key first");
        m_finger.moveBy(static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y));
        return HostReply::ok();
    case ScriptCommandKind::Release:
    case ScriptCommandKind::Cancel:
        if (!m_finger.isDown())
            return HostReply::error(
                std::string(commandWord(command.kind)) + " needs a finger on the screen; press a key first");
        if (command.kind == ScriptCommandKind::Release)
            m_finger.lift();
        else
            m_finger.cancel();
        return HostReply::ok();
    case ScriptCommandKind::Wait:
        NSRunLoop::main().advanceBy(command.x);
        return HostReply::ok();
    case ScriptCommandKind::Clear:
        if (UITextField* field = m_app->textField())
            field->setText("");
        return HostReply::ok();
    case ScriptCommandKind::ExpectText:
    case ScriptCommandKind::ExpectAlt:
    case ScriptCommandKind::ExpectSetting:
    case ScriptCommandKind::ExpectScreenText:
        return expectation(command);
    case ScriptCommandKind::Print: {
        UITextField* field = m_app->textField();
        return HostReply::ok({ field ? field->text().utf8() : std::string() });
    }
    case ScriptCommandKind::Snapshot:
        if (!Screenshot::writeWindow(m_app->window(), command.name, error))
            return HostReply::error(error);
        return HostReply::ok();
    case ScriptCommandKind::App:
        return HostReply::ok();
    case ScriptCommandKind::Back:
        if (!m_app->goBack(error))
            return HostReply::error(error);
        return HostReply::ok();
    case ScriptCommandKind::PointerDown:
        m_finger.down(m_app->window(), { static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y) });
        return HostReply::ok();
    case ScriptCommandKind::PointerMove:
        m_finger.move({ static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y) });
        return HostReply::ok();
    case ScriptCommandKind::PointerUp:
        m_finger.up({ static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y) });
        return HostReply::ok();
    case ScriptCommandKind::ListKeys:
        if (!KeyboardKeys::activeLayout())
            return HostReply::error("no keyboard is on screen");
        return HostReply::ok(KeyboardKeys::listing());
    case ScriptCommandKind::KeyboardSnapshot:
        if (!m_keyboard->keyboardView())
            return HostReply::error("no keyboard is on screen");
        if (!Screenshot::writeView(m_keyboard->keyboardView(), command.name, error))
            return HostReply::error(error);
        return HostReply::ok();
    case ScriptCommandKind::Render:
        return render();
    case ScriptCommandKind::Quit:
        return HostReply::ok();
    }
    return HostReply::error("the host does not know this command");
}
