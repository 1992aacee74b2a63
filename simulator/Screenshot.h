#pragma once

#include "platform/foundation/ErrorOr.h"

#include <string>

class FrameBuffer;
class UIView;
class UIWindow;

// Pictures of the screen at 2x: the window with all it shows (the keyboard
// and its pop-ups included), or one view alone (a keyboard); and the screen
// drawn for the interactive window at its own scale.
class Screenshot {
public:
    static constexpr double scale = 2;

    // An error says why the file cannot be written.
    static ErrorOr<void> writeWindow(UIWindow* window, const std::string& path);
    static ErrorOr<void> writeView(UIView* view, const std::string& path);
    // Draws the window into the shared frame buffer at that many pixels per
    // point and counts the frame.
    static void drawInto(UIWindow* window, FrameBuffer& buffer, double pixelsPerPoint);
};
