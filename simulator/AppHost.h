#pragma once

#include "platform/substrate/HostProcess.h"
#include "simulator/Finger.h"
#include "simulator/FrameBuffer.h"
#include "simulator/HostApp.h"
#include "simulator/HostOptions.h"
#include "simulator/HostReply.h"
#include "simulator/ScriptCommand.h"
#include "simulator/SystemKeyboard.h"

#include <memory>

class NSObject;
#include <optional>

// One app's process: the device booted from its root, the keyboard extension
// injected by the platform's loader, and the app's window, driven by the
// commands the driver sends.
class AppHost {
public:
    explicit AppHost(HostOptions options);
    ~AppHost();
    AppHost(const AppHost&) = delete;
    AppHost& operator=(const AppHost&) = delete;

    // Boots the device and starts the app; an error reply says why it could not.
    HostReply boot();
    // Runs what is due on the main run loop: timers, notifications, display.
    void pump();
    // Carries out one command between two pumps, so that notifications posted
    // by other processes have arrived before it and its own effects after.
    HostReply perform(const ScriptCommand& command);
    void shutDown();

private:
    HostReply execute(const ScriptCommand& command);
    std::unique_ptr<HostApp> makeApp();
    CGRect screenBounds() const;
    // Who this process is, for the injection loader's filters.
    HostProcess hostProcess() const;

    HostReply focusKeyboard(const ScriptCommand& command);
    void presentKeyboardAgain();
    HostReply switchKeyplane(const std::string& name);
    HostReply changeShift(ScriptCommandKind kind);
    HostReply keyGesture(const ScriptCommand& command);
    HostReply tapText(const std::string& text, std::optional<double> beside);
    HostReply expectation(const ScriptCommand& command);
    HostReply render();
    NSObject* keyOrError(const std::string& name, HostReply& failure);

    HostOptions m_options;
    std::unique_ptr<HostApp> m_app;
    std::unique_ptr<SystemKeyboard> m_keyboard;
    Finger m_finger;
    std::optional<FrameBuffer> m_frameBuffer;
    bool m_screenChanged { true };
};
