#include "platform/foundation/DeviceRoot.h"
#include "simulator/AppHost.h"
#include "simulator/typing/TypedLine.h"

#include <gtest/gtest.h>

namespace {

// A host typing a long line tells the driver now and then that it is at
// work, so that the driver's reply limit stops only a hung host; a text too
// long to plan is refused before any work starts.
TEST(TypingHost, SaysItIsAtWorkWhileTypingALongLineAndRefusesOneTooLong)
{
    HostOptions options;
    options.deviceRoot = DeviceRoot::path();
    options.injectsLibraries = false;
    std::size_t signsOfLife = 0;
    AppHost host(options, [&signsOfLife] { ++signsOfLife; });
    ASSERT_TRUE(host.boot());
    ASSERT_TRUE(host.perform(command::Keyboard {}));

    std::string line(3000, 'q');
    CommandResult typed = host.perform(command::TypeLine { line });
    ASSERT_TRUE(typed) << typed.error().message;
    ErrorOr<TypedLine> result = TypedLine::fromReply(typed.value().output);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.value().fieldText, line);
    // 3,000 taps and more to learn the keyboard.
    EXPECT_GE(signsOfLife, 2U);

    CommandResult tooLong = host.perform(command::TypeLine { std::string(Typist::longestText + 1, 'q') });
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.error().message, "the text is 1000001 bytes long; at most 1000000 are typed in one go");
    host.shutDown();
}

} // namespace
