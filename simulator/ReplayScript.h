#pragma once

#include "platform/foundation/ErrorOr.h"

#include <string>
#include <vector>

// One window event, or a pause, for the interactive window to play instead of
// a person (how the window is tested under a virtual display). Points are in
// the phone's screen points.
struct ReplayStep {
    // Click, Press, Drag and Release are the left mouse button; the right
    // button holds a second finger down where it was pressed.
    enum class Kind {
        Click,
        Press,
        Drag,
        Release,
        RightPress,
        RightRelease,
        Key,
        Pause,
        Resize,
        WindowSnapshot,
        Quit
    };
    Kind kind { Kind::Quit };
    // A point, or for Resize the window's new width and height in pixels.
    double x { 0 };
    double y { 0 };
    double seconds { 0 };
    // A key's name (as SDL names keys: "r", "Tab", "Escape") or a file.
    std::string name;
};

// Lines of `click X Y`, `press X Y`, `drag X Y`, `release X Y`, `right-press
// X Y`, `right-release X Y`, `key NAME`, `pause SECONDS`, `resize W H` (as a
// person drags the window's edge), `window-snapshot FILE.png`, `quit`; `#`
// starts a comment. An error reads "FILE:LINE: what was wrong".
struct ReplayScript {
    std::vector<ReplayStep> steps;

    static ErrorOr<ReplayScript> load(const std::string& path);
    static ErrorOr<ReplayScript> parse(const std::string& fileName, const std::string& text);
};
