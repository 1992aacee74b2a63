#pragma once

#include "platform/foundation/ErrorOr.h"
#include "simulator/ScriptTokenizer.h"

#include <string>
#include <string_view>
#include <vector>

// The arguments of one script command, read left to right. Each read names
// what it expects, so that its error says so: `expected WHAT after "CMD",
// got "…"`.
class ScriptArguments {
public:
    ScriptArguments(std::vector<ScriptToken> tokens, std::string command);

    bool atEnd() const { return m_next == m_tokens.size(); }
    std::size_t remaining() const { return m_tokens.size() - m_next; }
    // Only while not at the end.
    const ScriptToken& peek() const { return m_tokens[m_next]; }
    const std::string& command() const { return m_command; }

    ErrorOr<std::string> word(std::string_view what);
    // A plain decimal (no exponent), not in quotes.
    ErrorOr<double> number(std::string_view what);
    // A number from lowest to highest.
    ErrorOr<double> numberWithin(std::string_view what, double lowest, double highest);
    // A whole number from lowest to highest.
    ErrorOr<int> wholeNumberWithin(std::string_view what, int lowest, int highest);
    // One of the choices, which the error lists.
    ErrorOr<std::string> choice(std::string_view what, std::initializer_list<std::string_view> choices);
    ErrorOr<void> end() const;

    // "expected WHAT after "CMD"", with what stands next when there is something.
    Error expected(std::string_view what) const;

private:
    std::vector<ScriptToken> m_tokens;
    std::string m_command;
    std::size_t m_next { 0 };
};

// Distances and points in scripts stay within this many points of zero: the
// screen is 568 points long, and a gesture is walked in steps.
inline constexpr double largestScriptDistance = 10000;
