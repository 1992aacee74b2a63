#include "simulator/TypingProgress.h"

#include <ostream>
#include <string>

namespace {

// Back to the line's start and everything after the cursor erased.
constexpr std::string_view clearTerminalLine = "\r\x1B[K";

std::string describe(const TypingTotals& totals)
{
    return "line " + std::to_string(totals.lines) + ": " + std::to_string(totals.characters)
        + " characters in " + std::to_string(totals.touches) + " touches, " + std::to_string(totals.skipped)
        + " lines skipped";
}

} // namespace

TypingProgress::TypingProgress(std::ostream& errors, Style style)
    : m_errors(errors)
    , m_style(style)
{
}

TypingProgress::~TypingProgress()
{
    finish();
}

void TypingProgress::lineDone(const TypingTotals& totals)
{
    switch (m_style) {
    case Style::Quiet:
        return;
    case Style::Lines:
        if (totals.lines % linesPerLoggedProgress == 0)
            m_errors << "corvane-sim: " << describe(totals) << std::endl;
        return;
    case Style::Terminal:
        m_errors << clearTerminalLine << "corvane-sim: " << describe(totals) << std::flush;
        m_isProgressShown = true;
        return;
    }
}

void TypingProgress::say(std::string_view message)
{
    finish();
    m_errors << "corvane-sim: " << message << std::endl;
}

void TypingProgress::finish()
{
    if (!m_isProgressShown)
        return;
    m_errors << clearTerminalLine << std::flush;
    m_isProgressShown = false;
}
