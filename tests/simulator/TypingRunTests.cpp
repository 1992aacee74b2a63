#include "simulator/TypingRun.h"
#include "simulator/typing/TypedLine.h"

#include <gtest/gtest.h>

namespace {

TEST(TypingRun, SplitsTextIntoTheLinesItTypes)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(linesOfText("one\r\ntwo\n\nthree"), (Lines { "one", "two", "", "three" }));
    EXPECT_EQ(linesOfText("one\n"), (Lines { "one" }));
    // Only the carriage return before a line feed belongs to the line break.
    EXPECT_EQ(linesOfText("a\rb\r\r\n\r"), (Lines { "a\rb\r", "\r" }));
    EXPECT_TRUE(linesOfText("").empty());
}

TEST(TypingRun, TypedLinesCrossToTheDriverAndBack)
{
    TypedLine line { TypedLine::Result::Astray, 12, "l'\xC3\xA9t\xC3\xA9\n", "tap e typed \"x\"" };
    ErrorOr<TypedLine> back = TypedLine::fromReply(line.toReply());
    ASSERT_TRUE(back) << back.error().message;
    EXPECT_EQ(back.value().result, TypedLine::Result::Astray);
    EXPECT_EQ(back.value().touches, 12U);
    EXPECT_EQ(back.value().fieldText, line.fieldText);
    EXPECT_EQ(back.value().detail, line.detail);

    EXPECT_FALSE(TypedLine::fromReply({ "typed", "12", "" }));
    EXPECT_FALSE(TypedLine::fromReply({ "typed", "-1", "", "" }));
    EXPECT_FALSE(TypedLine::fromReply({ "mistyped", "1", "", "" }));
}

} // namespace
