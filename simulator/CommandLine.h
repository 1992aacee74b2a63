#pragma once

#include "platform/foundation/ErrorOr.h"
#include "platform/keyboard/KeyboardConfiguration.h"
#include "simulator/AppKind.h"
#include "simulator/LineStart.h"
#include "simulator/typing/KeyTouch.h"

#include <optional>
#include <string>
#include <vector>

// What a person asked corvane-sim to do, read from its command line.
struct CommandLine {
    enum class Mode { Help, Version, Keys, Run, Demo, Interactive, Type };
    // What the keyboard runs with while `type` types: the platform alone, or
    // the extension with the gesture typing the alternate or the shifted key.
    enum class Corvane { Off, Alternate, Shifted };
    enum class Gesture { Flick, Slide };

    Mode mode { Mode::Help };
    // help: what to print (the commands, one command's help, or the script language).
    std::string helpText;
    std::optional<std::string> deviceRoot;

    // keys (also the starting locale and orientation of interactive)
    std::string locale { "en_US" };
    int keyboardType { 0 };
    // Nothing: the locale's own, as the keyboard picks it.
    const KeyboardLetterLayout* layout { nullptr };
    std::optional<std::string> keyplane;
    ScreenOrientation orientation { ScreenOrientation::Portrait };
    std::optional<int> typeMode;
    std::optional<std::string> pngFile;

    // run: a file, or "-" for standard input.
    std::string scriptFile;
    // type (also --locale, --layout and --keyboard-type): a file, or "-".
    std::string textFile;
    Corvane corvane { Corvane::Alternate };
    Gesture gesture { Gesture::Flick };
    // Two thumbs: each key goes down before the one before it comes up.
    bool rolled { false };
    // Where each line starts: as the keyboard came up, as the line before left it, …
    LineStart lineStart { LineStart::AsItCameUp };
    // The fewest touches, or the least predicted time.
    PlanCost cost { PlanCost::Touches };
    // The predicted speed again with each time coefficient at -50 % and +50 %.
    bool sensitivity { false };
    // No progress line.
    bool quiet { false };
    // Where skipped lines are listed instead of standard error.
    std::optional<std::string> skippedFile;
    // demo
    std::optional<std::string> outputDirectory;
    // interactive: window events to play instead of a person's (for tests).
    std::optional<std::string> replayFile;
    // interactive: pixels per point; nothing: the largest that fits the screen.
    std::optional<double> windowScale;
};

// An error says what was expected, and for a slip of the keyboard what was
// likely meant.
ErrorOr<CommandLine> parseCommandLine(const std::vector<std::string>& arguments);
