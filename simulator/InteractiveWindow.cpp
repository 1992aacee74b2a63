#include "simulator/InteractiveWindow.h"

#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/FreeFileName.h"
#include "simulator/PngWriter.h"
#include "simulator/ReplayScript.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr const char* locales[] = { "en_US", "en_GB", "de_DE", "fr_FR", "de_CH", "ja_JP" };

struct KeyboardChoice {
    int type;
    const char* name;
};
// The platform's keyboard type numbers: the three the extension works on and
// one it leaves alone.
constexpr KeyboardChoice keyboardChoices[] = {
    { 0, "standard" },
    { 3, "web address" },
    { 7, "e-mail" },
    { 4, "number pad" },
};

constexpr const char* keyHelp = "R rotate · Tab Settings/Notes · L locale · K keyboard · B back · P print "
                                "the text · S screenshot · Esc quit";

// Opening scales go in quarters, at which the phone's 320 x 568 points are
// whole pixels; room is left for the window's title bar.
constexpr double scaleStep = 0.25;
constexpr int titleBarRoom = 60;

// The left mouse button is the finger that types; the right one holds a
// second finger down where it was pressed.
constexpr int typingFinger = 1;
constexpr int holdingFinger = 2;

template <typename T, void (*destroy)(T*)> struct SdlDeleter {
    void operator()(T* object) const { destroy(object); }
};
using WindowHandle = std::unique_ptr<SDL_Window, SdlDeleter<SDL_Window, SDL_DestroyWindow>>;
using RendererHandle = std::unique_ptr<SDL_Renderer, SdlDeleter<SDL_Renderer, SDL_DestroyRenderer>>;
using TextureHandle = std::unique_ptr<SDL_Texture, SdlDeleter<SDL_Texture, SDL_DestroyTexture>>;

class InteractiveSession {
public:
    InteractiveSession(const CommandLine& commandLine, const std::string& deviceRoot);
    ~InteractiveSession();
    int run();

private:
    bool openWindow();
    void handleEvent(const SDL_Event& event);
    void handleKey(SDL_Keycode key);
    void refreshFrame();
    void present();
    void perform(const ScriptCommand& command);
    double openingScale() const;
    // Where the phone's picture lies in the window's pixels, at which scale,
    // from the window's size: as large as fits, centred.
    void fitToWindow();
    // Between a window position (in the window's own coordinates, as mouse
    // events give them) and the phone's screen points.
    std::pair<double, double> screenPoint(int windowX, int windowY) const;
    std::pair<int, int> windowPosition(double pointX, double pointY) const;
    // A finger event at a window point, in the phone's screen points.
    template <typename Pointer> void pointer(int windowX, int windowY, int finger);
    void saveScreenshot();
    void mouseButton(const SDL_MouseButtonEvent& button);
    void rotate();
    void switchApp();
    void updateTitle();
    ErrorOr<void> saveWindowSnapshot(const std::string& path);
    bool runReplayStep();
    void pushMouse(Uint32 type, double pointX, double pointY, Uint8 button = SDL_BUTTON_LEFT);
    bool isPortrait() const { return m_orientation == ScreenOrientation::Portrait; }
    double screenWidth() const { return isPortrait() ? 320 : 568; }
    double screenHeight() const { return isPortrait() ? 568 : 320; }

    Driver m_driver;
    std::string m_locale;
    ScreenOrientation m_orientation;
    std::size_t m_localeIndex { 0 };
    std::size_t m_keyboardIndex { 0 };
    std::optional<double> m_requestedScale;
    // Pixels of the window per point of the phone, and where the phone's top
    // left corner is, in the window's pixels.
    double m_scale { 1 };
    int m_offsetX { 0 };
    int m_offsetY { 0 };
    // The window's pixels per unit of its own coordinates (more than 1 on a
    // high-density display).
    double m_pixelRatio { 1 };
    bool m_isPressed { false };
    bool m_isHolding { false };
    bool m_shouldQuit { false };
    int m_exitStatus { 0 };
    int m_nextScreenshot { 1 };
    std::uint64_t m_shownSequence { 0 };
    std::optional<AppKind> m_shownApp;
    std::optional<ReplayScript> m_replay;
    // Why the replay file could not be used; the run stops before a window opens.
    std::optional<Error> m_replayProblem;
    std::size_t m_replayStep { 0 };
    std::chrono::steady_clock::time_point m_replayResumeAt;

    WindowHandle m_window;
    RendererHandle m_renderer;
    TextureHandle m_texture;
    int m_textureWidth { 0 };
    int m_textureHeight { 0 };
};

Driver::Settings driverSettings(const CommandLine& commandLine, const std::string& deviceRoot)
{
    Driver::Settings settings;
    settings.executable = currentExecutable();
    settings.deviceRoot = deviceRoot;
    settings.locale = commandLine.locale;
    settings.orientation = commandLine.orientation;
    settings.realClock = true;
    settings.withFrameBuffers = true;
    settings.firstApp = AppKind::Settings;
    return settings;
}

InteractiveSession::InteractiveSession(const CommandLine& commandLine, const std::string& deviceRoot)
    : m_driver(driverSettings(commandLine, deviceRoot))
    , m_locale(commandLine.locale)
    , m_orientation(commandLine.orientation)
    , m_requestedScale(commandLine.windowScale)
{
    for (std::size_t index = 0; index < std::size(locales); ++index) {
        if (m_locale == locales[index])
            m_localeIndex = index;
    }
    if (commandLine.replayFile) {
        auto replay = ReplayScript::load(*commandLine.replayFile);
        if (replay)
            m_replay = replay.releaseValue();
        else
            m_replayProblem = replay.error();
    }
}

InteractiveSession::~InteractiveSession()
{
    m_texture.reset();
    m_renderer.reset();
    m_window.reset();
    m_driver.stopAll();
    SDL_Quit();
}

// Says why there is no display to open a window on, or nothing when there is one.
std::optional<std::string> missingDisplay()
{
    auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    const char* chosenDriver = isSet("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : nullptr;
    if (!chosenDriver && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        return "neither DISPLAY nor WAYLAND_DISPLAY is set";
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return std::string(SDL_GetError());
    // Without a real display SDL falls back to drawing nowhere; that is no window for a person.
    std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if (!chosenDriver && (driver == "offscreen" || driver == "dummy"))
        return "only SDL's " + driver + " video driver could start";
    return std::nullopt;
}

bool InteractiveSession::openWindow()
{
    if (auto reason = missingDisplay()) {
        std::cerr << "corvane-sim: interactive needs a display, and none was found (" << *reason << ").\n"
                  << "  Run it on a desktop, or without one under a virtual display: xvfb-run -a corvane-sim "
                     "interactive\n"
                  << "  To see the product without a window: corvane-sim demo\n";
        return false;
    }
    double scale = openingScale();
    m_window.reset(SDL_CreateWindow("Corvane", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
        static_cast<int>(std::lround(screenWidth() * scale)),
        static_cast<int>(std::lround(screenHeight() * scale)),
        SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI));
    if (m_window)
        m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1, 0));
    if (!m_renderer) {
        std::cerr << "corvane-sim: cannot open a window: " << SDL_GetError() << '\n';
        return false;
    }
    SDL_SetWindowMinimumSize(m_window.get(), static_cast<int>(screenWidth() * command::Render::smallestScale),
        static_cast<int>(screenHeight() * command::Render::smallestScale));
    fitToWindow();
    updateTitle();
    return true;
}

// --scale, else the largest quarter step at which the phone fits the screen
// (the first display's usable part), and never less than its size in points.
double InteractiveSession::openingScale() const
{
    if (m_requestedScale)
        return *m_requestedScale;
    SDL_Rect usable {};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        return 1;
    double fits = std::min(usable.w / screenWidth(), (usable.h - titleBarRoom) / screenHeight());
    double scale = std::floor(fits / scaleStep) * scaleStep;
    return std::clamp(scale, 1.0, command::Render::largestScale);
}

void InteractiveSession::fitToWindow()
{
    int width = 0;
    int height = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
    SDL_GetWindowSize(m_window.get(), &width, &height);
    SDL_GetRendererOutputSize(m_renderer.get(), &pixelWidth, &pixelHeight);
    m_pixelRatio = width > 0 ? static_cast<double>(pixelWidth) / width : 1;
    double fits = std::min(pixelWidth / screenWidth(), pixelHeight / screenHeight());
    m_scale = std::clamp(fits, command::Render::smallestScale, command::Render::largestScale);
    m_offsetX = static_cast<int>(std::floor((pixelWidth - std::ceil(screenWidth() * m_scale)) / 2));
    m_offsetY = static_cast<int>(std::floor((pixelHeight - std::ceil(screenHeight() * m_scale)) / 2));
}

std::pair<double, double> InteractiveSession::screenPoint(int windowX, int windowY) const
{
    return { (windowX * m_pixelRatio - m_offsetX) / m_scale, (windowY * m_pixelRatio - m_offsetY) / m_scale };
}

std::pair<int, int> InteractiveSession::windowPosition(double pointX, double pointY) const
{
    return { static_cast<int>(std::lround((pointX * m_scale + m_offsetX) / m_pixelRatio)),
        static_cast<int>(std::lround((pointY * m_scale + m_offsetY) / m_pixelRatio)) };
}

void InteractiveSession::updateTitle()
{
    std::string app(appDisplayName(m_driver.frontApp()));
    std::string title = "Corvane — " + app + " · " + std::string(orientationWord(m_orientation)) + " · "
        + m_locale + " · " + keyboardChoices[m_keyboardIndex].name + " keyboard   (" + keyHelp + ")";
    SDL_SetWindowTitle(m_window.get(), title.c_str());
}

void InteractiveSession::perform(const ScriptCommand& command)
{
    CommandResult result = m_driver.execute(command);
    if (!result) {
        std::cerr << "corvane-sim: " << writeScriptCommand(command) << ": " << result.error().message << '\n';
        return;
    }
    for (const std::string& line : result.value().output)
        std::cout << line << '\n';
}

template <typename Pointer> void InteractiveSession::pointer(int windowX, int windowY, int finger)
{
    auto [x, y] = screenPoint(windowX, windowY);
    perform(Pointer { x, y, finger });
}

void InteractiveSession::mouseButton(const SDL_MouseButtonEvent& button)
{
    bool pressed = button.type == SDL_MOUSEBUTTONDOWN;
    bool* isDown = button.button == SDL_BUTTON_LEFT ? &m_isPressed
        : button.button == SDL_BUTTON_RIGHT         ? &m_isHolding
                                                    : nullptr;
    if (!isDown || *isDown == pressed)
        return;
    *isDown = pressed;
    int finger = button.button == SDL_BUTTON_LEFT ? typingFinger : holdingFinger;
    if (pressed)
        pointer<command::PointerDown>(button.x, button.y, finger);
    else
        pointer<command::PointerUp>(button.x, button.y, finger);
}

void InteractiveSession::rotate()
{
    m_orientation = isPortrait() ? ScreenOrientation::Landscape : ScreenOrientation::Portrait;
    perform(command::Orientation { m_orientation });
    // The same scale the other way round.
    SDL_SetWindowSize(m_window.get(), static_cast<int>(std::lround(screenWidth() * m_scale / m_pixelRatio)),
        static_cast<int>(std::lround(screenHeight() * m_scale / m_pixelRatio)));
    fitToWindow();
}

void InteractiveSession::switchApp()
{
    if (m_isPressed || m_isHolding)
        return;
    AppKind next = m_driver.frontApp() == AppKind::Settings ? AppKind::Notes : AppKind::Settings;
    perform(command::App { next });
}

void InteractiveSession::handleKey(SDL_Keycode key)
{
    switch (key) {
    case SDLK_ESCAPE:
    case SDLK_q:
        m_shouldQuit = true;
        break;
    case SDLK_r:
        rotate();
        break;
    case SDLK_TAB:
        switchApp();
        break;
    case SDLK_l:
        m_localeIndex = (m_localeIndex + 1) % std::size(locales);
        m_locale = locales[m_localeIndex];
        perform(command::Locale { m_locale });
        break;
    case SDLK_k: {
        m_keyboardIndex = (m_keyboardIndex + 1) % std::size(keyboardChoices);
        perform(command::Keyboard { keyboardChoices[m_keyboardIndex].type, nullptr });
        break;
    }
    case SDLK_b:
        perform(command::Back {});
        break;
    case SDLK_p:
        perform(command::Print {});
        break;
    case SDLK_s:
        saveScreenshot();
        break;
    default:
        return;
    }
    updateTitle();
}

// Into the next corvane-sim-screenshot-N.png that is not there yet: a
// picture of an earlier session, or anyone's file of that name, stays.
void InteractiveSession::saveScreenshot()
{
    auto reserved = createNextFreeFile(
        (std::filesystem::current_path() / "corvane-sim-screenshot-").string(), ".png", m_nextScreenshot);
    if (!reserved) {
        std::cerr << "corvane-sim: no screenshot: " << reserved.error().message << '\n';
        return;
    }
    const std::string& path = reserved.value();
    CommandResult result = m_driver.execute(command::Snapshot { path });
    if (!result) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        std::cerr << "corvane-sim: no screenshot: " << result.error().message << '\n';
        return;
    }
    std::cout << "saved " << path << '\n';
}

void InteractiveSession::handleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        m_shouldQuit = true;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        mouseButton(event.button);
        break;
    case SDL_MOUSEMOTION:
        // Only the typing finger follows the mouse; the held one stays put.
        if (m_isPressed)
            pointer<command::PointerMove>(event.motion.x, event.motion.y, typingFinger);
        break;
    case SDL_KEYDOWN:
        if (!event.key.repeat)
            handleKey(event.key.keysym.sym);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            // The next frame is drawn afresh at the scale that fills the new size.
            fitToWindow();
            refreshFrame();
        }
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            present();
        break;
    default:
        break;
    }
}

void InteractiveSession::refreshFrame()
{
    // The host draws what changed into its frame buffer and says which frame that is.
    CommandResult rendered = m_driver.execute(command::Render { m_scale });
    if (!rendered) {
        std::cerr << "corvane-sim: " << rendered.error().message << '\n';
        m_shouldQuit = true;
        m_exitStatus = 2;
        return;
    }
    FrameBuffer* buffer = m_driver.frameBuffer(m_driver.frontApp());
    if (!buffer)
        return;
    FrameBuffer::Header header = buffer->header();
    if (header.sequence == m_shownSequence && m_shownApp == m_driver.frontApp())
        return;
    int width = static_cast<int>(header.width);
    int height = static_cast<int>(header.height);
    if (width <= 0 || height <= 0 || static_cast<std::uint64_t>(width) * height > FrameBuffer::maximumPixels)
        return;
    if (!m_texture || width != m_textureWidth || height != m_textureHeight) {
        m_texture.reset(SDL_CreateTexture(
            m_renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height));
        m_textureWidth = width;
        m_textureHeight = height;
    }
    SDL_UpdateTexture(m_texture.get(), nullptr, buffer->pixels(), width * 4);
    m_shownSequence = header.sequence;
    m_shownApp = m_driver.frontApp();
    present();
}

void InteractiveSession::present()
{
    SDL_SetRenderDrawColor(m_renderer.get(), 0, 0, 0, 255);
    SDL_RenderClear(m_renderer.get());
    // Pixel for pixel: the host drew the frame at the window's scale.
    SDL_Rect place { m_offsetX, m_offsetY, m_textureWidth, m_textureHeight };
    if (m_texture)
        SDL_RenderCopy(m_renderer.get(), m_texture.get(), nullptr, &place);
    SDL_RenderPresent(m_renderer.get());
}

ErrorOr<void> InteractiveSession::saveWindowSnapshot(const std::string& path)
{
    present();
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(m_renderer.get(), &width, &height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (SDL_RenderReadPixels(m_renderer.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4)
        != 0)
        return Error { std::string("cannot read the window's pixels: ") + SDL_GetError() };
    return writeArgbPng(path, pixels.data(), width, height);
}

void InteractiveSession::pushMouse(Uint32 type, double pointX, double pointY, Uint8 button)
{
    SDL_Event event {};
    event.type = type;
    auto [x, y] = windowPosition(pointX, pointY);
    if (type == SDL_MOUSEMOTION) {
        event.motion.windowID = SDL_GetWindowID(m_window.get());
        event.motion.state = SDL_BUTTON_LMASK;
        event.motion.x = x;
        event.motion.y = y;
    } else {
        event.button.windowID = SDL_GetWindowID(m_window.get());
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = 1;
        event.button.x = x;
        event.button.y = y;
    }
    SDL_PushEvent(&event);
}

// Plays one step of a replay as window events, through the same handling as
// a person's mouse and keys. False when the replay has ended the session.
bool InteractiveSession::runReplayStep()
{
    if (!m_replay || std::chrono::steady_clock::now() < m_replayResumeAt)
        return true;
    if (m_replayStep == m_replay->steps.size()) {
        m_shouldQuit = true;
        return false;
    }
    const ReplayStep& step = m_replay->steps[m_replayStep++];
    switch (step.kind) {
    case ReplayStep::Kind::Click:
        pushMouse(SDL_MOUSEBUTTONDOWN, step.x, step.y);
        pushMouse(SDL_MOUSEBUTTONUP, step.x, step.y);
        break;
    case ReplayStep::Kind::Press:
        pushMouse(SDL_MOUSEBUTTONDOWN, step.x, step.y);
        break;
    case ReplayStep::Kind::Drag:
        pushMouse(SDL_MOUSEMOTION, step.x, step.y);
        break;
    case ReplayStep::Kind::Release:
        pushMouse(SDL_MOUSEBUTTONUP, step.x, step.y);
        break;
    case ReplayStep::Kind::RightPress:
        pushMouse(SDL_MOUSEBUTTONDOWN, step.x, step.y, SDL_BUTTON_RIGHT);
        break;
    case ReplayStep::Kind::RightRelease:
        pushMouse(SDL_MOUSEBUTTONUP, step.x, step.y, SDL_BUTTON_RIGHT);
        break;
    case ReplayStep::Kind::Key: {
        SDL_Event event {};
        event.type = SDL_KEYDOWN;
        event.key.windowID = SDL_GetWindowID(m_window.get());
        event.key.state = SDL_PRESSED;
        event.key.keysym.sym = SDL_GetKeyFromName(step.name.c_str());
        SDL_PushEvent(&event);
        break;
    }
    case ReplayStep::Kind::Pause:
        m_replayResumeAt = std::chrono::steady_clock::now()
            + std::chrono::milliseconds(static_cast<long long>(step.seconds * 1000));
        break;
    case ReplayStep::Kind::Resize:
        SDL_SetWindowSize(m_window.get(), static_cast<int>(step.x), static_cast<int>(step.y));
        break;
    case ReplayStep::Kind::WindowSnapshot: {
        refreshFrame();
        if (auto saved = saveWindowSnapshot(step.name); !saved) {
            std::cerr << "corvane-sim: " << saved.error().message << '\n';
            m_exitStatus = 2;
            m_shouldQuit = true;
            return false;
        }
        break;
    }
    case ReplayStep::Kind::Quit:
        m_shouldQuit = true;
        return false;
    }
    return true;
}

int InteractiveSession::run()
{
    if (m_replayProblem) {
        std::cerr << m_replayProblem->message << '\n';
        return 2;
    }
    if (!openWindow())
        return 2;
    std::cout << "corvane-sim: the phone is in the window; the mouse is your finger, and holding the right "
                 "button keeps a second finger down where you pressed it. "
              << keyHelp << '\n';
    refreshFrame();
    while (!m_shouldQuit) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 16)) {
            do
                handleEvent(event);
            while (!m_shouldQuit && SDL_PollEvent(&event));
        }
        if (m_shouldQuit)
            break;
        refreshFrame();
        runReplayStep();
    }
    return m_exitStatus;
}

} // namespace

int runInteractive(const CommandLine& commandLine, const std::string& deviceRoot)
{
    InteractiveSession session(commandLine, deviceRoot);
    return session.run();
}
