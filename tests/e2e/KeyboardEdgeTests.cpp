#include "SimulatorRun.h"
#include "platform/graphics/CGImage.h"

#include <gtest/gtest.h>

namespace {

// A flick whose key has nothing to swap in types the key it started on, and
// so does a slide, however far the finger goes on up.
TEST(KeyboardEdges, ADroppedGestureTypesTheKeyItStartedOn)
{
    struct Case {
        const char* name;
        const char* script;
        const char* typed;
    };
    const Case cases[] = {
        { "e-mail keyboard", "keyboard type=7\nflick @\nflick .\n", "@." },
        { "URL keyboard", "keyboard type=3\nflick /\nflick .\n", "/." },
        { "e-mail numbers keyplane", "keyboard type=7\nkeyplane Numbers-And-Punctuation\nflick !\nflick .\n",
            "!." },
        { "locale without a currency sign", "locale en\nkeyboard\nflick j\n", "j" },
        { "\"Shifted key\" mode, shifted", "settings type=1\nkeyboard\nshift\nflick S\nshift\nflick A\n",
            "SA" },
        { "\"Shifted key\" mode, shift locked", "settings type=1\nkeyboard\nshiftlock\nflick Z\n", "Z" },
        { "\"Slide up\", 30 points up", "settings gesture=2\nkeyboard type=7\nslide @ 30\nslide . 45\n",
            "@." },
        { "\"Slide up\", \"Shifted key\" mode, shifted",
            "settings type=1 gesture=2\nkeyboard\nshift\nslide S 30\n", "S" },
    };
    for (const Case& tried : cases) {
        E2EWorkspace workspace;
        SimulatorResult result = workspace.runScript(std::string(tried.script) + "print\n");
        EXPECT_EQ(result.exitStatus, 0) << tried.name << ": " << result.errors;
        EXPECT_EQ(result.output, std::string(tried.typed) + "\n") << tried.name;
    }
}

// A key with an alternate still types it; the hold is only for dropped gestures.
TEST(KeyboardEdges, GesturesWithAnAlternateAreUnchanged)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard type=7\n"
                                                 "flick q\n"
                                                 "flick l\n"
                                                 "settings gesture=2\n"
                                                 "slide w 6\n"
                                                 "slide d 30      # a slide that far reaches the key above\n"
                                                 "print\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output, "1@2r\n");
}

// The pane saves a new type while another app's keyboard holds a flick: that
// key types its own string then and ever after.
TEST(KeyboardEdges, ATypeChangeDuringAFlickLeavesTheKeyAsItWas)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("app notes\n"
                                                 "keyboard\n"
                                                 "press q\n"
                                                 "move 0 -30          # the pop-up shows 1\n"
                                                 "app settings\n"
                                                 "settings type=1\n"
                                                 "app notes\n"
                                                 "release\n"
                                                 "expect text \"q\"\n"
                                                 "tap q\n"
                                                 "flick q\n"
                                                 "app settings\n"
                                                 "settings type=2\n"
                                                 "app notes\n"
                                                 "tap q\n"
                                                 "flick q\n"
                                                 "expect text \"qqQq1\"\n"
                                                 "expect alt q \"1\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

// After a change of region the keys show and type the new currency sign,
// on the letters and on the numbers keyplane.
TEST(KeyboardEdges, ALocaleChangeBringsItsCurrencySign)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("locale en_GB\n"
                                                 "keyboard\n"
                                                 "flick j\n"
                                                 "expect alt j \"£\"\n"
                                                 "locale ja_JP\n"
                                                 "expect alt j \"¥\"\n"
                                                 "flick j\n"
                                                 "keyplane Numbers-And-Punctuation\n"
                                                 "tap ¥\n"
                                                 "tap ¥\n"
                                                 "expect text \"£¥¥¥\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
}

// Pixels of a PNG within a rectangle that pass a test.
int countPixels(const std::string& path, int x, int y, int width, int height, bool (*test)(CGPixel))
{
    CGImageRef image = CGImageCreateWithPNGFile(path);
    if (!image)
        return -1;
    int count = 0;
    for (int row = y; row < y + height && row < static_cast<int>(CGImageGetHeight(image)); ++row) {
        for (int column = x; column < x + width && column < static_cast<int>(CGImageGetWidth(image));
             ++column)
            count += test(
                CGImageGetPixel(image, static_cast<std::size_t>(column), static_cast<std::size_t>(row)));
    }
    return count;
}

bool isWhite(CGPixel pixel)
{
    return pixel.red > 245 && pixel.green > 245 && pixel.blue > 245;
}

TEST(KeyboardEdges, EmailKeysOfTheirOwnAreLabelledAndLetterCapsAreCapitals)
{
    E2EWorkspace workspace;
    SimulatorResult email = runSimulator(
        { "keys", "--keyboard-type", "7", "--png", "email.png", "--device", workspace.deviceRoot() },
        workspace.path());
    ASSERT_EQ(email.exitStatus, 0) << email.errors;
    // In the portrait bottom row at 2x, "@" and "." stand in the seventh and
    // eighth of ten columns: dark caps with white labels.
    const int capTop = 2 * (162 + 6);
    const int capHeight = 2 * 39;
    EXPECT_GT(countPixels(workspace.path() + "/email.png", 2 * 195, capTop, 2 * 26, capHeight, isWhite), 40);
    EXPECT_GT(countPixels(workspace.path() + "/email.png", 2 * 227, capTop, 2 * 26, capHeight, isWhite), 4);

    // Both letters keyplanes show the same caps: capitals, with the same alternates.
    SimulatorResult small = runSimulator(
        { "keys", "--png", "small.png", "--device", workspace.deviceRoot() }, workspace.path());
    SimulatorResult capitals = runSimulator({ "keys", "--keyplane", "Capital-Letters", "--png",
                                                "capitals.png", "--device", workspace.deviceRoot() },
        workspace.path());
    ASSERT_EQ(small.exitStatus, 0) << small.errors;
    ASSERT_EQ(capitals.exitStatus, 0) << capitals.errors;
    std::string smallImage = workspace.path() + "/small.png";
    std::string capitalsImage = workspace.path() + "/capitals.png";
    // The top two rows, and the letters of the third between shift and delete.
    EXPECT_EQ(differingPixels(smallImage, capitalsImage, 0, 0, 640, 2 * 108), 0);
    EXPECT_EQ(differingPixels(smallImage, capitalsImage, 2 * 48, 2 * 108, 2 * 224, 2 * 54), 0);
    // Whereas the numbers keyplane looks different there.
    SimulatorResult numbers = runSimulator({ "keys", "--keyplane", "Numbers-And-Punctuation", "--png",
                                               "numbers.png", "--device", workspace.deviceRoot() },
        workspace.path());
    ASSERT_EQ(numbers.exitStatus, 0) << numbers.errors;
    EXPECT_GT(differingPixels(smallImage, workspace.path() + "/numbers.png", 0, 0, 640, 2 * 108), 1000);
}

} // namespace
