#pragma once

#include "platform/keyboard/KeyboardConfiguration.h"
#include "simulator/AppKind.h"
#include "simulator/LineStart.h"
#include "simulator/typing/KeyTouch.h"

#include <map>
#include <optional>
#include <string>
#include <variant>

// Everything a line of a simulator script can ask for, one struct per
// command. The script language (ScriptLanguage.h) reads and writes them; the
// driver routes each to a host process, where AppHost carries it out.
namespace command {

struct Locale {
    std::string identifier;
};
struct Orientation {
    ScreenOrientation orientation { ScreenOrientation::Portrait };
};
// Focuses the app's text field with that keyboard type and letter layout
// (nothing: the locale's own).
struct Keyboard {
    std::optional<int> type;
    const KeyboardLetterLayout* layout { nullptr };
};
// Writes the settings file as the pane does and posts the change: a value
// for each setting named, by its key.
struct Settings {
    std::map<std::string, int> values;
};
struct Keyplane {
    std::string name;
};
struct Shift { };
struct ShiftLock { };
struct Unshift { };

// A key is named by the string it types or by a function key's name.
struct Tap {
    std::string key;
};
struct TapPoint {
    double x { 0 };
    double y { 0 };
};
struct TapText {
    std::string text;
};
// Points beside a text: left of it when negative, else right of it.
struct TapBeside {
    std::string text;
    double distance { 0 };
};
// Up from the key by the distance in points (down when negative).
struct Flick {
    static constexpr double defaultDistance = 30;
    std::string key;
    double distance { defaultDistance };
};
struct Slide {
    static constexpr double defaultDistance = 7;
    std::string key;
    double distance { defaultDistance };
};
struct Drag {
    static constexpr int largestSteps = 10000;
    std::string key;
    double dx { 0 };
    double dy { 0 };
    int steps { 1 };
};
// Down on the key, across to the middle of the target key as the keyboard
// shows it once the first is down (a keyplane key brings up its keyplane),
// and up there.
struct DragTo {
    static constexpr int defaultSteps = 5;
    std::string key;
    std::string target;
    int steps { defaultSteps };
};
// Fingers are numbered from 1 (the one that taps, flicks and drags) to
// largestFinger; several may be down at once.
inline constexpr int largestFinger = 10;
struct Press {
    std::string key;
    int finger { 1 };
};
// From the point where the finger came down.
struct Move {
    double dx { 0 };
    double dy { 0 };
    int finger { 1 };
};
struct Release {
    int finger { 1 };
};
struct Cancel {
    int finger { 1 };
};
// Types the text with each key pressed before the previous one is released.
struct Roll {
    std::string text;
};
// On the virtual clock, for every app.
struct Wait {
    // A day: more than any script needs, and few enough timers to fire.
    static constexpr double longest = 86400;
    double seconds { 0 };
};
struct Clear { };
// Types the text with the fewest touches the keyboard on screen allows;
// rolled, each key goes down before the one before it comes up.
struct Type {
    std::string text;
    bool rolled { false };
    PlanCost cost { PlanCost::Touches };
};
// Prints, one per line, the touches that would type the text, and types nothing.
struct Plan {
    std::string text;
    bool rolled { false };
    PlanCost cost { PlanCost::Touches };
};

struct ExpectText {
    std::string text;
};
struct ExpectAlt {
    std::string key;
    std::string alternate;
};
struct ExpectSetting {
    std::string key;
    int value { 0 };
};
struct ExpectScreenText {
    std::string text;
};
struct Print { };
struct Snapshot {
    std::string file;
};
struct App {
    AppKind app { AppKind::Test };
};
struct Back { };

// Spoken only between the driver and its host processes: a finger at a screen point.
struct PointerDown {
    double x { 0 };
    double y { 0 };
    int finger { 1 };
};
struct PointerMove {
    double x { 0 };
    double y { 0 };
    int finger { 1 };
};
struct PointerUp {
    double x { 0 };
    double y { 0 };
    int finger { 1 };
};
struct ListKeys { };
struct KeyboardSnapshot {
    std::string file;
};
// Draws the screen into the frame buffer at that many pixels per point.
struct Render {
    // The window never shows the phone smaller than its size in points, and
    // the frame buffer has room for four pixels a point.
    static constexpr double smallestScale = 1;
    static constexpr double largestScale = 4;
    double scale { 2 };
};
struct Quit { };
// Empties the field, types the line as Type does and answers how it went (TypedLine).
struct TypeLine {
    std::string text;
    bool rolled { false };
    LineStart start { LineStart::AsItCameUp };
    PlanCost cost { PlanCost::Touches };
    // Timed also with each coefficient of the time model at -50 % and +50 %.
    bool sensitivity { false };
};

} // namespace command

using ScriptCommand = std::variant<command::Locale, command::Orientation, command::Keyboard,
    command::Settings, command::Keyplane, command::Shift, command::ShiftLock, command::Unshift, command::Tap,
    command::TapPoint, command::TapText, command::TapBeside, command::Flick, command::Slide, command::Drag,
    command::DragTo, command::Press, command::Move, command::Release, command::Cancel, command::Roll,
    command::Wait, command::Clear, command::Type, command::Plan, command::ExpectText, command::ExpectAlt,
    command::ExpectSetting, command::ExpectScreenText, command::Print, command::Snapshot, command::App,
    command::Back, command::PointerDown, command::PointerMove, command::PointerUp, command::ListKeys,
    command::KeyboardSnapshot, command::Render, command::Quit, command::TypeLine>;

// A command and the script line it came from.
struct ScriptLine {
    int number { 0 };
    ScriptCommand command;
};
