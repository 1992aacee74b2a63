#pragma once

#include <optional>
#include <string_view>

// The apps a simulated device runs, each in a process of its own: the bare
// test app with one field, a Notes app, and Settings on the Corvane pane.
enum class AppKind { Test, Notes, Settings };

// How scripts and the host's command line name an app: "test", "notes", "settings".
std::string_view appWord(AppKind app);
std::optional<AppKind> appFromWord(std::string_view word);
// How messages name it: "keyboard test", "Notes", "Settings".
std::string_view appDisplayName(AppKind app);

// The screen's two orientations, as scripts name them: "portrait", "landscape".
enum class ScreenOrientation { Portrait, Landscape };

std::string_view orientationWord(ScreenOrientation orientation);
std::optional<ScreenOrientation> orientationFromWord(std::string_view word);
