#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string_view>
#include <vector>

// What `corvane-sim type` has done so far.
struct TypingTotals {
    std::size_t lines { 0 };
    std::size_t characters { 0 };
    std::size_t touches { 0 };
    std::size_t skipped { 0 };
    // The typed lines' predicted time in ms, under the nominal time model and
    // then, when asked for, under each model of the sensitivity analysis.
    std::vector<std::int64_t> milliseconds;
};

// What `corvane-sim type` tells on standard error as it goes. On a terminal
// one progress line rewrites itself after every line of text; elsewhere (a
// log) a whole line comes every so many lines of text, so that the log
// follows from the text alone; quiet, no progress at all. Messages (skipped
// lines, errors) always come, each on a line of its own.
class TypingProgress {
public:
    enum class Style { Quiet, Lines, Terminal };
    static constexpr std::size_t linesPerLoggedProgress = 250;

    TypingProgress(std::ostream& errors, Style style);
    ~TypingProgress();
    TypingProgress(const TypingProgress&) = delete;
    TypingProgress& operator=(const TypingProgress&) = delete;

    void lineDone(const TypingTotals& totals);
    // "corvane-sim: " and the message, on a line of its own.
    void say(std::string_view message);
    // Takes the progress line off the terminal, before the results.
    void finish();

private:
    std::ostream& m_errors;
    Style m_style;
    bool m_isProgressShown { false };
};
