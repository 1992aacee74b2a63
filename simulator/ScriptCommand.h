#pragma once

#include <optional>
#include <string>
#include <string_view>

// Everything a line of a simulator script can ask for. The last group is
// spoken only between the driver and its host processes.
enum class ScriptCommandKind {
    Locale,
    Orientation,
    Keyboard,
    Settings,
    Keyplane,
    Shift,
    ShiftLock,
    Unshift,
    Tap,
    TapPoint,
    TapText,
    TapBeside,
    Flick,
    Slide,
    Drag,
    Press,
    Move,
    Release,
    Cancel,
    Wait,
    Clear,
    ExpectText,
    ExpectAlt,
    ExpectSetting,
    ExpectScreenText,
    Print,
    Snapshot,
    App,
    Back,
    // Host protocol only.
    PointerDown,
    PointerMove,
    PointerUp,
    ListKeys,
    KeyboardSnapshot,
    Render,
    Quit,
};

// One parsed command. Each kind uses the fields its syntax names; the rest
// keep their defaults.
struct ScriptCommand {
    ScriptCommandKind kind { ScriptCommandKind::Print };
    int line { 0 };

    // A locale, orientation, keyplane, app name, file or setting key.
    std::string name;
    // A key: its represented string or the platform's name for it.
    std::string key;
    // Text to compare with, or to look for on screen.
    std::string text;
    // A distance (flick, slide, drag, move), a screen point (tap X Y, pointer
    // events) or, in x, the seconds of a wait.
    double x { 0 };
    double y { 0 };
    int steps { 1 };

    // keyboard type=N layout=L, settings type=N gesture=N, expect setting KEY=N.
    std::optional<int> keyboardType;
    std::optional<std::string> layout;
    std::optional<int> typeMode;
    std::optional<int> gesture;
    int value { 0 };

    // A command of that kind, naming a file, locale, keyplane or app where it takes one.
    static ScriptCommand of(ScriptCommandKind kind, std::string name = {})
    {
        ScriptCommand command;
        command.kind = kind;
        command.name = std::move(name);
        return command;
    }

    // The command written back in the script language, so that it can be sent
    // to a host process and parsed there again.
    std::string toLine() const;
};

// The word that starts a command of this kind.
std::string_view commandWord(ScriptCommandKind kind);

// A plain word as it stands, anything else in quotes: how a script would write it.
std::string scriptWord(std::string_view text);

// A string in the script language's quotes, with \n, \t, \" and \\ escaped.
std::string quoteScriptString(std::string_view text);
