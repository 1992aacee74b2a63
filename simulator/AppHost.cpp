#include "simulator/AppHost.h"

#include "contracts/CorvaneContract.h"
#include "platform/foundation/DarwinNotifyCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileIO.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSUncaughtExceptionHandler.h"
#include "platform/preferences/SettingsHost.h"
#include "platform/substrate/InjectionLoader.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"
#include "simulator/AppProcess.h"
#include "simulator/KeyboardKeys.h"
#include "simulator/ScreenTexts.h"
#include "simulator/Screenshot.h"
#include "simulator/ScriptLanguage.h"
#include "simulator/ScriptText.h"
#include "simulator/SettingsApp.h"
#include "simulator/SettingsFile.h"
#include "simulator/TestApp.h"
#include "simulator/typing/KeyboardExplorer.h"
#include "simulator/typing/TwoThumbClock.h"
#include "simulator/typing/TypedLine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr CGSize portraitScreen { 320, 568 };

// What the typist learnt of the keyboard holds until a command that may
// change the keyboard, its settings or the app.
bool keepsKeyboard(const ScriptCommand& command)
{
    return std::holds_alternative<command::Type>(command) || std::holds_alternative<command::Roll>(command)
        || std::holds_alternative<command::Plan>(command)
        || std::holds_alternative<command::TypeLine>(command)
        || std::holds_alternative<command::Clear>(command)
        || std::holds_alternative<command::ExpectText>(command)
        || std::holds_alternative<command::Print>(command)
        || std::holds_alternative<command::Render>(command);
}

// How long the typist's long presses and rolled touches held the virtual
// clock, for the driver to move the other apps' clocks on as much.
class VirtualTimeTaken {
public:
    CommandResult outcome(std::vector<std::string> lines) const
    {
        CommandOutcome outcome = CommandOutcome::printed(std::move(lines));
        outcome.elapsed = NSRunLoop::main().currentTime() - m_start;
        return outcome;
    }

private:
    double m_start { NSRunLoop::main().currentTime() };
};

Error untypable(const std::string& character, const std::string& text)
{
    return Error { "this keyboard cannot type " + quoteScriptString(character) + " of "
        + quoteScriptString(text) };
}

TouchRhythm rhythmOf(bool rolled)
{
    return rolled ? TouchRhythm::Rolled : TouchRhythm::OneAtATime;
}

std::string fieldText(HostApp& app)
{
    UITextField* field = app.textField();
    return field ? field->text().utf8() : std::string();
}

} // namespace

AppHost::AppHost(HostOptions options, std::function<void()> signOfLife)
    : m_options(std::move(options))
    , m_signOfLife(std::move(signOfLife))
{
}

AppHost::~AppHost() = default;

HostProcess AppHost::hostProcess() const
{
    HostProcess process;
    switch (m_options.app) {
    case AppKind::Settings:
        process.bundleIdentifier = SettingsHost::bundleIdentifier;
        break;
    case AppKind::Notes:
        process.bundleIdentifier = "com.apple.mobilenotes";
        break;
    case AppKind::Test:
        process.bundleIdentifier = "com.quillfen.keyboardtest";
        break;
    }
    process.frameworks = { uikitFrameworkIdentifier };
    return process;
}

CGRect AppHost::screenBounds() const
{
    if (m_options.orientation == ScreenOrientation::Landscape)
        return { { 0, 0 }, { portraitScreen.height, portraitScreen.width } };
    return { { 0, 0 }, portraitScreen };
}

ErrorOr<std::unique_ptr<HostApp>> AppHost::makeApp()
{
    std::unique_ptr<HostApp> app;
    switch (m_options.app) {
    case AppKind::Settings:
        return SettingsApp::open(screenBounds());
    case AppKind::Notes:
        app = std::make_unique<TestApp>(screenBounds(), "Notes", "Write a note");
        break;
    case AppKind::Test:
        app = std::make_unique<TestApp>(screenBounds(), "Keyboard Test", "Type here");
        break;
    }
    return app;
}

CommandResult AppHost::boot()
{
    // 1. The device: its root, and the folder the settings file lives in.
    std::error_code failure;
    if (!std::filesystem::is_directory(m_options.deviceRoot, failure))
        return Error { "the device root " + m_options.deviceRoot + " is not a folder" };
    DeviceRoot::setOverride(m_options.deviceRoot);
    // Made with a fixed mode whatever the umask: others may read it, never write it.
    (void)FileIO::makeFolders(
        std::filesystem::path(SettingsFile::path()).parent_path().string(), FileIO::sharedFolderMode);

    // 2. The clock, the locale and the screen.
    NSRunLoop::main().setClock(m_options.realClock ? NSRunLoop::Clock::Real : NSRunLoop::Clock::Virtual);
    NSLocale::setCurrentLocaleIdentifier(m_options.locale);
    UIScreen::mainScreen()->setBounds(screenBounds());
    UIScreen::mainScreen()->setScale(Screenshot::scale);

    // 3. The system keyboard, then what the injection framework loads into
    // every process that shows it, as the platform starts an app.
    m_keyboard = std::make_unique<SystemKeyboard>();
    InjectionReport injected;
    if (m_options.injectsLibraries)
        injected = loadInjectedLibraries(hostProcess());
    if (std::getenv("CORVANE_SIM_TRACE")) {
        for (const std::string& library : injected.loaded)
            std::fprintf(stderr, "corvane-sim: %s app: loaded %s\n",
                std::string(appWord(m_options.app)).c_str(), library.c_str());
    }

    // A keyboard that cannot hear settings changes would go on with the old
    // ones without a word; the app does not start, and says why.
    if (const std::string& problem = DarwinNotifyCenter::shared().listeningProblem(); !problem.empty())
        return Error { "the " + std::string(appWord(m_options.app))
            + " app's keyboard cannot hear settings changes: " + problem };

    // 4. The app and its window.
    m_app = TRY(makeApp());
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
            return Error { "cannot map the frame buffer the driver handed over" };
        m_frameBuffer.emplace(std::move(buffer));
    }
    settle();
    return commandDone();
}

void AppHost::deliverNotifications()
{
    // Whatever other processes posted while their commands ran has been
    // waiting for this process since (a post returns only once it has), in
    // its socket or its mailbox; it is read now and delivered before the
    // command, whether or not the socket looks readable.
    DarwinNotifyCenter::shared().receivePending();
    settle();
}

void AppHost::settle()
{
    NSRunLoop::main().runUntilIdle();
}

void AppHost::runRealClockTurn()
{
    settle();
}

CommandResult AppHost::perform(const ScriptCommand& command)
{
    deliverNotifications();
    if (!keepsKeyboard(command))
        m_typist.forgetKeyboard();
    CommandResult result = commandDone();
    try {
        result = std::visit([this](const auto& each) { return handle(each); }, command);
    } catch (...) {
        // As on the device: the handler sees it, the log says so, the app ends.
        terminateWithUncaughtException(std::current_exception());
    }
    settle();
    // Asking for a frame changes nothing on screen; anything else may have.
    if (!std::holds_alternative<command::Render>(command))
        m_screenChanged = true;
    return result;
}

void AppHost::shutDown()
{
    m_fingers.cancelAll();
    m_app.reset();
    m_keyboard.reset();
    // The process ends: its notification socket goes with it, not at the
    // next post from another process.
    DarwinNotifyCenter::shared().reset();
}

void AppHost::presentKeyboardAgain()
{
    UITextField* field = m_app->textField();
    if (!field || !field->isFirstResponder())
        return;
    field->resignFirstResponder();
    field->becomeFirstResponder();
}

CommandResult AppHost::handle(const command::Locale& command)
{
    m_options.locale = command.identifier;
    NSLocale::setCurrentLocaleIdentifier(command.identifier);
    presentKeyboardAgain();
    return commandDone();
}

CommandResult AppHost::handle(const command::Orientation& command)
{
    m_options.orientation = command.orientation;
    UIScreen::mainScreen()->setBounds(screenBounds());
    m_app->setScreenBounds(screenBounds());
    presentKeyboardAgain();
    return commandDone();
}

CommandResult AppHost::handle(const command::Keyboard& command)
{
    UITextField* field = m_app->textField();
    if (!field)
        return Error { "this app has no text field on screen" };
    m_keyboard->setLetterLayout(command.layout);
    field->setKeyboardType(command.type.value_or(0));
    if (field->isFirstResponder())
        field->resignFirstResponder();
    if (!field->becomeFirstResponder() || !KeyboardKeys::activeLayout())
        return Error { "the text field did not bring up a keyboard" };
    m_freshKeyboard = KeyboardState::current();
    return commandDone();
}

CommandResult AppHost::handle(const command::Settings& command)
{
    return commandDoneIf(SettingsFile::store(command.values));
}

CommandResult AppHost::handle(const command::Keyplane& command)
{
    return commandDoneIf(KeyboardKeys::switchKeyplane(command.name));
}

CommandResult AppHost::changeShift(const ScriptCommand& command, ShiftTarget target)
{
    TRY(fingerOffScreen(command));
    auto isThere = [target] {
        bool shifted = SystemKeyboard::isShifted();
        bool locked = SystemKeyboard::isShiftLocked();
        switch (target) {
        case ShiftTarget::Shifted:
            return shifted;
        case ShiftTarget::Locked:
            return locked;
        case ShiftTarget::Off:
            break;
        }
        return !shifted && !locked;
    };
    // The way a person does it: taps on the shift key, quick enough for a
    // double tap to lock.
    for (int taps = 0; !isThere(); ++taps) {
        if (taps == 3)
            return Error { "the shift key did not get the keyboard there" };
        NSObject* shift = TRY(KeyboardKeys::find("shift"));
        m_hand.tap(shift);
    }
    return commandDone();
}

CommandResult AppHost::handle(const command::Shift& command)
{
    return changeShift(command, ShiftTarget::Shifted);
}

CommandResult AppHost::handle(const command::ShiftLock& command)
{
    return changeShift(command, ShiftTarget::Locked);
}

CommandResult AppHost::handle(const command::Unshift& command)
{
    return changeShift(command, ShiftTarget::Off);
}

CommandResult AppHost::handle(const command::Tap& command)
{
    TRY(fingerOffScreen(command));
    NSObject* key = TRY(KeyboardKeys::find(command.key));
    m_hand.tap(key);
    return commandDone();
}

void AppHost::pressKey(NSObject* key, Finger& finger)
{
    finger.down(m_app->window(), KeyboardKeys::centreOnScreen(key));
}

CommandResult AppHost::tapAt(const ScriptCommand& command, CGPoint point)
{
    Finger* finger = TRY(fingerOffScreen(command));
    finger->down(m_app->window(), point);
    finger->up(point);
    return commandDone();
}

CommandResult AppHost::handle(const command::TapPoint& command)
{
    return tapAt(command, { static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y) });
}

ErrorOr<CGRect> AppHost::frameOfText(const std::string& text)
{
    std::vector<ScreenText> texts = ScreenTexts::collect(m_app->window());
    const ScreenText* found = ScreenTexts::find(texts, text);
    if (!found)
        return Error { "no view shows the text " + quoteScriptString(text) + "; the screen shows "
            + ScreenTexts::describe(texts) };
    return found->frame;
}

CommandResult AppHost::handle(const command::TapText& command)
{
    CGRect frame = TRY(frameOfText(command.text));
    return tapAt(command, { frame.midX(), frame.midY() });
}

CommandResult AppHost::handle(const command::TapBeside& command)
{
    CGRect frame = TRY(frameOfText(command.text));
    double x = command.distance < 0 ? frame.minX() + command.distance : frame.maxX() + command.distance;
    return tapAt(command, { static_cast<CGFloat>(x), frame.midY() });
}

CommandResult AppHost::upwardGesture(
    const ScriptCommand& command, const std::string& keyName, double distance)
{
    TRY(fingerOffScreen(command));
    // The parser bounds the distance, so the drag events stay few.
    NSObject* key = TRY(KeyboardKeys::find(keyName));
    m_hand.upward(key, distance);
    return commandDone();
}

CommandResult AppHost::handle(const command::Flick& command)
{
    return upwardGesture(command, command.key, command.distance);
}

CommandResult AppHost::handle(const command::Slide& command)
{
    return upwardGesture(command, command.key, command.distance);
}

CommandResult AppHost::handle(const command::Drag& command)
{
    Finger* finger = TRY(fingerOffScreen(command));
    NSObject* key = TRY(KeyboardKeys::find(command.key));
    pressKey(key, *finger);
    for (int step = 1; step <= command.steps; ++step) {
        finger->moveBy(static_cast<CGFloat>(command.dx * step / command.steps),
            static_cast<CGFloat>(command.dy * step / command.steps));
    }
    finger->lift();
    return commandDone();
}

CommandResult AppHost::handle(const command::DragTo& command)
{
    Finger* finger = TRY(fingerOffScreen(command));
    NSObject* key = TRY(KeyboardKeys::find(command.key));
    CGPoint start = KeyboardKeys::centreOnScreen(key);
    finger->down(m_app->window(), start);
    // The target is looked for on the keyplane the first key brought up.
    ErrorOr<NSObject*> target = KeyboardKeys::find(command.target);
    if (!target) {
        finger->cancel();
        return target.error();
    }
    CGPoint end = KeyboardKeys::centreOnScreen(target.value());
    for (int step = 1; step <= command.steps; ++step) {
        CGFloat progress = static_cast<CGFloat>(step) / static_cast<CGFloat>(command.steps);
        finger->move({ start.x + (end.x - start.x) * progress, start.y + (end.y - start.y) * progress });
    }
    finger->lift();
    return commandDone();
}

CommandResult AppHost::handle(const command::Press& command)
{
    Finger* finger = TRY(fingerOffScreen(command, command.finger));
    NSObject* key = TRY(KeyboardKeys::find(command.key));
    pressKey(key, *finger);
    return commandDone();
}

ErrorOr<Finger*> AppHost::fingerOnScreen(const ScriptCommand& command, int number)
{
    Finger& finger = m_fingers[number];
    if (finger.isDown())
        return &finger;
    std::string word(commandWord(command));
    if (number == 1)
        return Error { word + " needs a finger on the screen; press a key first" };
    return Error { word + " finger=" + std::to_string(number)
        + " needs that finger on the screen; press a key with it first" };
}

ErrorOr<Finger*> AppHost::fingerOffScreen(const ScriptCommand& command, int number)
{
    Finger& finger = m_fingers[number];
    if (!finger.isDown())
        return &finger;
    std::string word(commandWord(command));
    if (number == 1)
        return Error { word + " needs the finger that is on the screen; release or cancel it first" };
    return Error { word + " finger=" + std::to_string(number)
        + " needs that finger, which is on the screen; release or cancel it first" };
}

CommandResult AppHost::handle(const command::Move& command)
{
    Finger* finger = TRY(fingerOnScreen(command, command.finger));
    finger->moveBy(static_cast<CGFloat>(command.dx), static_cast<CGFloat>(command.dy));
    return commandDone();
}

CommandResult AppHost::handle(const command::Release& command)
{
    TRY(fingerOnScreen(command, command.finger))->lift();
    return commandDone();
}

CommandResult AppHost::handle(const command::Cancel& command)
{
    TRY(fingerOnScreen(command, command.finger))->cancel();
    return commandDone();
}

CommandResult AppHost::handle(const command::Roll& command)
{
    return typeText(command, command.text, TouchRhythm::Rolled);
}

CommandResult AppHost::handle(const command::Wait& command)
{
    NSRunLoop::main().advanceBy(command.seconds);
    return commandDone();
}

CommandResult AppHost::handle(const command::Clear&)
{
    if (UITextField* field = m_app->textField())
        field->setText("");
    return commandDone();
}

ErrorOr<UITextField*> AppHost::typingField(const ScriptCommand& command)
{
    UITextField* field = m_app->textField();
    if (!field || !field->isFirstResponder() || !KeyboardKeys::activeLayout())
        return Error { KeyboardKeys::noKeyboardOnScreen };
    // The typist's touches take the first two fingers.
    if (m_fingers.isAnyDown())
        return Error { std::string(commandWord(command))
            + " needs every finger off the screen; release or cancel them first" };
    return field;
}

CommandResult AppHost::typeText(
    const ScriptCommand& command, const std::string& text, TouchRhythm rhythm, PlanCost cost)
{
    UITextField* field = TRY(typingField(command));
    VirtualTimeTaken taken;
    TypingReport report = TRY(m_typist.type(*field, text, rhythm, cost));
    if (report.untypable)
        return untypable(report.untypable->character, text);
    if (report.astray)
        return Error { "typing " + quoteScriptString(text) + " went astray: " + *report.astray };
    return taken.outcome({});
}

CommandResult AppHost::handle(const command::Type& command)
{
    return typeText(command, command.text, rhythmOf(command.rolled), command.cost);
}

CommandResult AppHost::handle(const command::Plan& command)
{
    UITextField* field = TRY(typingField(command));
    VirtualTimeTaken taken;
    TouchPlan plan = TRY(m_typist.plan(*field, command.text, rhythmOf(command.rolled), command.cost));
    if (plan.untypable)
        return untypable(plan.untypable->character, command.text);
    std::vector<std::string> lines;
    for (const PlannedStep& step : plan.steps) {
        for (const KeyTouch& touch : step.touches)
            lines.push_back(touch.description());
    }
    lines.push_back("predicted " + std::to_string(timeOf(plan)) + " ms");
    return taken.outcome(std::move(lines));
}

ErrorOr<void> AppHost::startLine(const command::TypeLine& command)
{
    if (command.start == LineStart::Carried || !m_freshKeyboard)
        return {};
    putKeyboardIn(*m_freshKeyboard);
    // From there by the touches a person would have made just before.
    switch (command.start) {
    case LineStart::AsItCameUp:
    case LineStart::Carried:
        break;
    case LineStart::Shifted:
        TRY(changeShift(command, ShiftTarget::Shifted));
        break;
    case LineStart::ShiftLocked:
        TRY(changeShift(command, ShiftTarget::Locked));
        break;
    case LineStart::Numbers:
    case LineStart::Symbols:
        m_hand.tap(TRY(KeyboardKeys::find("more")));
        if (command.start == LineStart::Symbols)
            m_hand.tap(TRY(KeyboardKeys::find("shift")));
        break;
    }
    return {};
}

CommandResult AppHost::handle(const command::TypeLine& command)
{
    UITextField* field = TRY(typingField(command));
    VirtualTimeTaken taken;
    field->setText("");
    TRY(startLine(command));
    std::vector<TouchTimeModel> models
        = command.sensitivity ? sensitivityModels() : std::vector<TouchTimeModel>(1);
    TypingReport report
        = TRY(m_typist.type(*field, command.text, rhythmOf(command.rolled), command.cost, models));
    TypedLine line;
    line.touches = report.touches;
    line.milliseconds = report.milliseconds;
    line.fieldText = field->text().utf8();
    if (report.untypable) {
        line.result = TypedLine::Result::Untypable;
        line.detail = report.untypable->character;
    } else if (report.astray) {
        line.result = TypedLine::Result::Astray;
        line.detail = *report.astray;
    }
    return taken.outcome(line.toReply());
}

CommandResult AppHost::handle(const command::ExpectText& command)
{
    std::string text = fieldText(*m_app);
    if (text == command.text)
        return commandDone();
    return CommandOutcome::expectationFailed(
        "expected text " + quoteScriptString(command.text) + ", got " + quoteScriptString(text));
}

CommandResult AppHost::handle(const command::ExpectAlt& command)
{
    NSObject* key = TRY(KeyboardKeys::find(command.key));
    NSString alternate = KeyboardKeys::property(key, contract::alternateEntry);
    if (!alternate.isNil() && alternate.utf8() == command.alternate)
        return commandDone();
    return CommandOutcome::expectationFailed("expected the key " + quoteScriptString(command.key)
        + " to have the alternate " + quoteScriptString(command.alternate) + ", got "
        + (alternate.isNil() ? "none" : quoteScriptString(alternate.utf8())));
}

CommandResult AppHost::handle(const command::ExpectSetting& command)
{
    ErrorOr<int> value = SettingsFile::read(command.key);
    if (value && value.value() == command.value)
        return commandDone();
    std::string expected = "expected the setting " + command.key + "=" + std::to_string(command.value);
    return CommandOutcome::expectationFailed(expected
        + (value ? ", got " + command.key + "=" + std::to_string(value.value())
                 : ", but " + value.error().message));
}

CommandResult AppHost::handle(const command::ExpectScreenText& command)
{
    std::vector<ScreenText> texts = ScreenTexts::collect(m_app->window());
    if (ScreenTexts::find(texts, command.text))
        return commandDone();
    return CommandOutcome::expectationFailed("expected the text " + quoteScriptString(command.text)
        + " on screen; it shows " + ScreenTexts::describe(texts));
}

CommandResult AppHost::handle(const command::Print&)
{
    return CommandOutcome::printed({ fieldText(*m_app) });
}

CommandResult AppHost::handle(const command::Snapshot& command)
{
    return commandDoneIf(Screenshot::writeWindow(m_app->window(), command.file));
}

CommandResult AppHost::handle(const command::App&)
{
    // The driver brings the app to the front; the app itself has nothing to do.
    return commandDone();
}

CommandResult AppHost::handle(const command::Back&)
{
    return commandDoneIf(m_app->goBack());
}

CommandResult AppHost::handle(const command::PointerDown& command)
{
    m_fingers[command.finger].down(
        m_app->window(), { static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y) });
    return commandDone();
}

CommandResult AppHost::handle(const command::PointerMove& command)
{
    m_fingers[command.finger].move({ static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y) });
    return commandDone();
}

CommandResult AppHost::handle(const command::PointerUp& command)
{
    m_fingers[command.finger].up({ static_cast<CGFloat>(command.x), static_cast<CGFloat>(command.y) });
    return commandDone();
}

CommandResult AppHost::handle(const command::ListKeys&)
{
    if (!KeyboardKeys::activeLayout())
        return Error { "no keyboard is on screen" };
    return CommandOutcome::printed(KeyboardKeys::listing());
}

CommandResult AppHost::handle(const command::KeyboardSnapshot& command)
{
    if (!m_keyboard->keyboardView())
        return Error { "no keyboard is on screen" };
    return commandDoneIf(Screenshot::writeView(m_keyboard->keyboardView(), command.file));
}

CommandResult AppHost::handle(const command::Render& command)
{
    if (m_frameBuffer
        && (m_screenChanged || m_frameBuffer->header().sequence == 0 || command.scale != m_renderedScale)) {
        Screenshot::drawInto(m_app->window(), *m_frameBuffer, command.scale);
        m_screenChanged = false;
        m_renderedScale = command.scale;
    }
    return commandDone();
}

CommandResult AppHost::handle(const command::Quit&)
{
    return commandDone();
}
