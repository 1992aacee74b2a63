#include "SimulatorRun.h"

#include <gtest/gtest.h>

namespace {

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// The sentence's two option words are painted by their buttons; scripts find
// them by name, as a screen reader would, wherever the layout puts them.
TEST(ScreenTexts, TheSentencesOptionWordsAreFoundByTheirNames)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("app settings\n"
                                                 "expect screen-text \"Flick up\"\n"
                                                 "tap-text \"Flick up\"\n"
                                                 "expect screen-text \"Slide up\"\n"
                                                 "expect setting gesture=2\n"
                                                 "tap-text \"Alternate key\"\n"
                                                 "expect setting type=1\n"
                                                 "tap-text \"Shifted key\"\n"
                                                 "expect screen-text \"Alternate key\"\n"
                                                 "expect setting type=2\n"
                                                 "tap-text \"Test Keyboard\"\n"
                                                 "slide o\n"
                                                 "expect text \"9\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
}

TEST(ScreenTexts, EachElementIsListedOnceWithButtonsMarked)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("app settings\nexpect screen-text \"Nowhere\"\n");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(occurrences(result.errors, "\"Settings\""), 1u) << result.errors;
    EXPECT_EQ(occurrences(result.errors, "\"Flick up\" (button)"), 1u) << result.errors;
    EXPECT_EQ(occurrences(result.errors, "\"on a key on the keyboard to\""), 1u) << result.errors;
    EXPECT_EQ(occurrences(result.errors, "\"Heart\" (button)"), 1u) << result.errors;
}

// The heart in the navigation bar shows only an image, and is found by the
// image's name, as a screen reader reads it. Without a tweet account its tap
// opens no sheet, and the page stays.
TEST(ScreenTexts, TheHeartInTheBarIsFoundByItsImagesName)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("app settings\n"
                                                 "tap-text \"Heart\"\n"
                                                 "expect screen-text \"The Creators\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
}

} // namespace
