#pragma once

#include "platform/keyboard/KeyboardConfiguration.h"
#include "simulator/CommandLine.h"

#include <iosfwd>
#include <optional>
#include <string>

// How `corvane-sim type` types.
struct TypingOptions {
    std::string locale { "en_US" };
    int keyboardType { 0 };
    // Nothing: the locale's own.
    const KeyboardLetterLayout* layout { nullptr };
    CommandLine::Corvane corvane { CommandLine::Corvane::Alternate };
    CommandLine::Gesture gesture { CommandLine::Gesture::Flick };
    // Two thumbs: each key goes down before the one before it comes up.
    bool rolled { false };
    // Where each line starts: as the keyboard came up, as the line before left it, …
    LineStart start { LineStart::AsItCameUp };
    PlanCost cost { PlanCost::Touches };
    // The predicted speed again with each time coefficient at -50 % and +50 %.
    bool sensitivity { false };
    // No progress on standard error.
    bool quiet { false };
    // Where skipped lines are listed instead of standard error.
    std::optional<std::string> skippedFile;

    static TypingOptions from(const CommandLine& commandLine);
};

// corvane-sim type: types the text line by line, as it reads it, into the
// test app's emptied field on a copy of the device. It tells its progress
// and each skipped line on standard error (or the skipped lines in their
// file) and the totals on standard output, and answers the exit status: 0,
// 1 when a line came out wrong or nothing was typed, 2 for an error, 128 + N
// when signal N interrupted it.
int typeText(const TypingOptions& options, std::istream& text, const std::string& deviceRoot);
