#include "simulator/TextLines.h"
#include "simulator/TypingProgress.h"
#include "simulator/typing/TypedLine.h"

#include <gtest/gtest.h>
#include <sstream>
#include <streambuf>

namespace {

using Lines = std::vector<std::string>;

Lines linesOf(const std::string& text, std::size_t longestLine = 100)
{
    std::istringstream input(text);
    TextLines reader(input, longestLine);
    Lines lines;
    while (true) {
        auto line = reader.next();
        EXPECT_TRUE(line) << line.error().message;
        if (!line || !line.value())
            return lines;
        lines.push_back(*line.value());
    }
}

TEST(TypingRun, SplitsTextIntoTheLinesItTypes)
{
    EXPECT_EQ(linesOf("one\r\ntwo\n\nthree"), (Lines { "one", "two", "", "three" }));
    EXPECT_EQ(linesOf("one\n"), (Lines { "one" }));
    // Only the carriage return before a line feed, or at the very end,
    // belongs to the line break.
    EXPECT_EQ(linesOf("a\rb\r\r\n\r"), (Lines { "a\rb\r", "" }));
    EXPECT_EQ(linesOf("last\r"), (Lines { "last" }));
    EXPECT_TRUE(linesOf("").empty());
    // A byte-order mark only at the very start is not text.
    EXPECT_EQ(linesOf("\xEF\xBB\xBFone\n\xEF\xBB\xBFtwo"), (Lines { "one", "\xEF\xBB\xBFtwo" }));
    EXPECT_TRUE(linesOf("\xEF\xBB\xBF").empty());
}

// Counts what the reader takes from the text, which never ends.
class EndlessLine : public std::streambuf {
public:
    std::size_t taken { 0 };

protected:
    int_type underflow() override
    {
        std::fill(std::begin(m_block), std::end(m_block), 'a');
        setg(m_block, m_block, m_block + sizeof m_block);
        taken += sizeof m_block;
        return 'a';
    }

private:
    char m_block[4096];
};

TEST(TypingRun, RefusesALineOverTheLimitWithoutReadingItWhole)
{
    std::istringstream input("12345\r\n123456\n1234567\n");
    TextLines reader(input, 6);
    EXPECT_EQ(*reader.next().value(), "12345");
    EXPECT_EQ(*reader.next().value(), "123456");
    auto tooLong = reader.next();
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.error().message, "line 3 is longer than 6 bytes, the most a line may hold");

    EndlessLine endless;
    std::istream endlessInput(&endless);
    TextLines endlessReader(endlessInput, 1'000'000);
    EXPECT_FALSE(endlessReader.next());
    EXPECT_LE(endless.taken, 1'000'000U + 4096 * 2);
}

TEST(TypingRun, TypedLinesCrossToTheDriverAndBack)
{
    TypedLine line { TypedLine::Result::Astray, 12, "l'\xC3\xA9t\xC3\xA9\n", "tap e typed \"x\"",
        { 2345, 0, 1234567 } };
    ErrorOr<TypedLine> back = TypedLine::fromReply(line.toReply());
    ASSERT_TRUE(back) << back.error().message;
    EXPECT_EQ(back.value().result, TypedLine::Result::Astray);
    EXPECT_EQ(back.value().touches, 12U);
    EXPECT_EQ(back.value().fieldText, line.fieldText);
    EXPECT_EQ(back.value().detail, line.detail);
    EXPECT_EQ(back.value().milliseconds, line.milliseconds);
    ErrorOr<TypedLine> untimed = TypedLine::fromReply({ "typed", "1", "a", "", "" });
    ASSERT_TRUE(untimed);
    EXPECT_TRUE(untimed.value().milliseconds.empty());

    EXPECT_FALSE(TypedLine::fromReply({ "typed", "12", "" }));
    EXPECT_FALSE(TypedLine::fromReply({ "typed", "-1", "", "" }));
    EXPECT_FALSE(TypedLine::fromReply({ "mistyped", "1", "", "", "" }));
    EXPECT_FALSE(TypedLine::fromReply({ "typed", "1", "", "", "12 x" }));
    EXPECT_FALSE(TypedLine::fromReply({ "typed", "1", "", "", "-3" }));
}

std::string progressOf(TypingProgress::Style style, std::size_t lines)
{
    std::ostringstream errors;
    TypingProgress progress(errors, style);
    TypingTotals totals;
    for (totals.lines = 1; totals.lines <= lines; ++totals.lines) {
        totals.characters += 2;
        totals.touches += 3;
        progress.lineDone(totals);
        if (totals.lines == 2)
            progress.say("line 2 skipped");
    }
    progress.finish();
    return errors.str();
}

TEST(TypingRun, ProgressRewritesOneLineOnATerminalAndLogsWholeLinesElsewhere)
{
    EXPECT_EQ(progressOf(TypingProgress::Style::Terminal, 3),
        "\r\x1B[Kcorvane-sim: line 1: 2 characters in 3 touches, 0 lines skipped"
        "\r\x1B[Kcorvane-sim: line 2: 4 characters in 6 touches, 0 lines skipped"
        // A message takes the progress line off first.
        "\r\x1B[Kcorvane-sim: line 2 skipped\n"
        "\r\x1B[Kcorvane-sim: line 3: 6 characters in 9 touches, 0 lines skipped"
        "\r\x1B[K");
    EXPECT_EQ(progressOf(TypingProgress::Style::Lines, 2 * TypingProgress::linesPerLoggedProgress),
        "corvane-sim: line 2 skipped\n"
        "corvane-sim: line 250: 500 characters in 750 touches, 0 lines skipped\n"
        "corvane-sim: line 500: 1000 characters in 1500 touches, 0 lines skipped\n");
    EXPECT_EQ(progressOf(TypingProgress::Style::Quiet, 300), "corvane-sim: line 2 skipped\n");
}

} // namespace
