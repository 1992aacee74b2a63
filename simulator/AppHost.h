#pragma once

#include "platform/substrate/HostProcess.h"
#include "simulator/CommandResult.h"
#include "simulator/Finger.h"
#include "simulator/FrameBuffer.h"
#include "simulator/HostApp.h"
#include "simulator/HostOptions.h"
#include "simulator/ScriptCommand.h"
#include "simulator/SystemKeyboard.h"
#include "simulator/typing/KeyboardHand.h"
#include "simulator/typing/Typist.h"

#include <functional>
#include <memory>
#include <optional>

class NSObject;
class UITextField;

// One app's process: the device booted from its root, the keyboard extension
// injected by the platform's loader, and the app's window, driven by the
// commands the driver sends, one handler per command.
class AppHost {
public:
    // signOfLife tells the driver, while a long command runs, that the host
    // is still at work.
    explicit AppHost(HostOptions options, std::function<void()> signOfLife = {});
    ~AppHost();
    AppHost(const AppHost&) = delete;
    AppHost& operator=(const AppHost&) = delete;

    // Boots the device and starts the app; an error says why it could not.
    CommandResult boot();
    // Carries out one command at a defined point of the script. First the
    // notifications other processes posted before it (while their commands
    // ran) are delivered; then the command runs; then the run loop settles,
    // delivering what this process posted to itself and drawing, before the
    // answer goes back. So what a script sees never depends on when a socket
    // happened to be read.
    CommandResult perform(const ScriptCommand& command);
    // On the real clock, between commands: timers that came due and
    // notifications that came meanwhile.
    void runRealClockTurn();
    void shutDown();

private:
    // One handler per command.
    CommandResult handle(const command::Locale& command);
    CommandResult handle(const command::Orientation& command);
    CommandResult handle(const command::Keyboard& command);
    CommandResult handle(const command::Settings& command);
    CommandResult handle(const command::Keyplane& command);
    CommandResult handle(const command::Shift& command);
    CommandResult handle(const command::ShiftLock& command);
    CommandResult handle(const command::Unshift& command);
    CommandResult handle(const command::Tap& command);
    CommandResult handle(const command::TapPoint& command);
    CommandResult handle(const command::TapText& command);
    CommandResult handle(const command::TapBeside& command);
    CommandResult handle(const command::Flick& command);
    CommandResult handle(const command::Slide& command);
    CommandResult handle(const command::Drag& command);
    CommandResult handle(const command::DragTo& command);
    CommandResult handle(const command::Press& command);
    CommandResult handle(const command::Move& command);
    CommandResult handle(const command::Release& command);
    CommandResult handle(const command::Cancel& command);
    CommandResult handle(const command::Roll& command);
    CommandResult handle(const command::Wait& command);
    CommandResult handle(const command::Clear& command);
    CommandResult handle(const command::Type& command);
    CommandResult handle(const command::Plan& command);
    CommandResult handle(const command::ExpectText& command);
    CommandResult handle(const command::ExpectAlt& command);
    CommandResult handle(const command::ExpectSetting& command);
    CommandResult handle(const command::ExpectScreenText& command);
    CommandResult handle(const command::Print& command);
    CommandResult handle(const command::Snapshot& command);
    CommandResult handle(const command::App& command);
    CommandResult handle(const command::Back& command);
    CommandResult handle(const command::PointerDown& command);
    CommandResult handle(const command::PointerMove& command);
    CommandResult handle(const command::PointerUp& command);
    CommandResult handle(const command::ListKeys& command);
    CommandResult handle(const command::KeyboardSnapshot& command);
    CommandResult handle(const command::Render& command);
    CommandResult handle(const command::Quit& command);
    CommandResult handle(const command::TypeLine& command);

    enum class ShiftTarget { Shifted, Locked, Off };

    ErrorOr<std::unique_ptr<HostApp>> makeApp();
    CGRect screenBounds() const;
    // Who this process is, for the injection loader's filters.
    HostProcess hostProcess() const;
    void deliverNotifications();
    void settle();

    void presentKeyboardAgain();
    CommandResult changeShift(const ScriptCommand& command, ShiftTarget target);
    // Puts the keyboard where the line starts from.
    ErrorOr<void> startLine(const command::TypeLine& command);
    CommandResult upwardGesture(const ScriptCommand& command, const std::string& key, double distance);
    // The field typing goes into; an error when there is none or a finger is down.
    ErrorOr<UITextField*> typingField(const ScriptCommand& command);
    CommandResult typeText(const ScriptCommand& command, const std::string& text, TouchRhythm rhythm,
        PlanCost cost = PlanCost::Touches);
    ErrorOr<CGRect> frameOfText(const std::string& text);
    CommandResult tapAt(const ScriptCommand& command, CGPoint point);
    // Key commands press with a finger on the middle of the key's cap.
    void pressKey(NSObject* key, Finger& finger);
    // The finger a command moves or lifts; an error when it is not on the screen.
    ErrorOr<Finger*> fingerOnScreen(const ScriptCommand& command, int number);
    // The finger a command puts down; an error when it is on the screen
    // already, whose touch would otherwise end unseen.
    ErrorOr<Finger*> fingerOffScreen(const ScriptCommand& command, int number = 1);

    HostOptions m_options;
    std::function<void()> m_signOfLife;
    std::unique_ptr<HostApp> m_app;
    std::unique_ptr<SystemKeyboard> m_keyboard;
    Fingers m_fingers;
    KeyboardHand m_hand { m_fingers, [this] { return m_app ? m_app->window() : nullptr; }, m_signOfLife };
    Typist m_typist { m_hand, m_signOfLife };
    // The keyboard as the keyboard command brought it up, where each typed line starts.
    std::optional<KeyboardState> m_freshKeyboard;
    std::optional<FrameBuffer> m_frameBuffer;
    bool m_screenChanged { true };
    // Pixels per point of the frame last drawn into the frame buffer.
    double m_renderedScale { 0 };
};
