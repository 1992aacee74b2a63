#include "SimulatorRun.h"

#include <gtest/gtest.h>

namespace {

// A sentence with capitals, digits and punctuation, rolled with two thumbs:
// each key goes down before the one before it comes up. Flicks or slides
// type what the keys carry as alternates, taps and keyplane switches the rest.
TEST(TwoThumbs, RolledTypingTypesExactlyTheTextInEveryMode)
{
    const char* const modes[] = {
        "settings type=2 gesture=1\nkeyboard\n",
        "settings type=2 gesture=2\nkeyboard\n",
        "settings type=1 gesture=1\nkeyboard\n",
        "settings type=1 gesture=2\nkeyboard\n",
        "settings type=2 gesture=1\nkeyboard layout=AZERTY\n",
        "settings type=1 gesture=2\nkeyboard layout=QWERTZ\n",
    };
    const std::string sentence = "Meet me at 7:45, ok? Call 0-800 #2 (free)!";
    for (const char* mode : modes) {
        E2EWorkspace workspace;
        SimulatorResult result
            = workspace.runScript(std::string(mode) + "roll \"" + sentence + "\"\nprint\n");
        EXPECT_EQ(result.exitStatus, 0) << mode << result.errors;
        EXPECT_EQ(result.output, sentence + "\n") << mode;
    }
}

// The rules of the keyboard under two fingers, one script line at a time.
TEST(TwoThumbs, OverlappingTouchesFollowTheRolloverRules)
{
    struct Case {
        const char* name;
        const char* script;
        const char* typed;
    };
    const Case cases[] = {
        { "rolled taps in touch-down order",
            "press t\npress h finger=2\nexpect text \"t\"\nrelease\n"
            "press e\nrelease finger=2\nrelease\n",
            "the" },
        { "an overtaken flick types its alternate, then the next key",
            "press q\nmove 0 -30\npress w finger=2\nexpect text \"1\"\nrelease\nrelease finger=2\n", "1w" },
        { "an overtaken slide too",
            "settings gesture=2\npress q\nmove 0 -7\npress w finger=2\nrelease\n"
            "release finger=2\n",
            "1w" },
        { "a second thumb mid-flick: the first finger's later moves type nothing",
            "press q\nmove 0 -10\npress w finger=2\nmove 0 -30\nmove 60 -30\nrelease\nrelease finger=2\n",
            "qw" },
        { "the committed finger cannot end the other's flick",
            "press q\npress w finger=2\nrelease\nmove 0 -30 finger=2\nrelease finger=2\n", "q2" },
        { "shift held while letters are tapped",
            "press shift\npress h finger=2\nrelease finger=2\npress I finger=2\nrelease finger=2\nrelease\n"
            "tap j\n",
            "HIj" },
        { "delete held while the other thumb types stops repeating",
            "tap a\ntap b\ntap c\npress delete\nwait 0.6\npress x finger=2\nwait 2\nrelease\nrelease "
            "finger=2\n",
            "abx" },
    };
    for (const Case& tried : cases) {
        E2EWorkspace workspace;
        SimulatorResult result = workspace.runScript(std::string("keyboard\n") + tried.script + "print\n");
        EXPECT_EQ(result.exitStatus, 0) << tried.name << ": " << result.errors;
        EXPECT_EQ(result.output, std::string(tried.typed) + "\n") << tried.name;
    }
}

// The keyboard goes away (and comes back in the new orientation) while two
// fingers hold keys: neither types, and nothing of them is left behind.
TEST(TwoThumbs, KeyboardDismissedWithTwoFingersDownForgetsBoth)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\n"
                                                 "press shift\n"
                                                 "press h finger=2\n"
                                                 "move 0 -30 finger=2\n"
                                                 "orientation landscape\n"
                                                 "release finger=2\n"
                                                 "release\n"
                                                 "expect text \"\"\n"
                                                 "press q\n"
                                                 "press w finger=2\n"
                                                 "release\n"
                                                 "release finger=2\n"
                                                 "flick e\n"
                                                 "print\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output, "qw3\n");
}

// Mistakes with fingers are script errors that say what to do.
TEST(TwoThumbs, FingerMistakesAreExplained)
{
    E2EWorkspace workspace;
    SimulatorResult moved = workspace.runScript("keyboard\npress q\nmove 0 -30 finger=2\n");
    EXPECT_EQ(moved.exitStatus, 2);
    EXPECT_NE(moved.errors.find("move finger=2 needs that finger on the screen"), std::string::npos)
        << moved.errors;
    SimulatorResult rolled = workspace.runScript("keyboard\npress q\nroll \"ab\"\n");
    EXPECT_EQ(rolled.exitStatus, 2);
    EXPECT_NE(rolled.errors.find("roll needs every finger off the screen"), std::string::npos)
        << rolled.errors;
    // A finger that is down already cannot come down again: its touch
    // would end unseen.
    SimulatorResult tappedWhileDown = workspace.runScript("keyboard\npress q\ntap w\nrelease\nprint\n");
    EXPECT_EQ(tappedWhileDown.exitStatus, 2);
    EXPECT_EQ(tappedWhileDown.errors,
        "script.txt:3: tap needs the finger that is on the screen; release or cancel it first\n");
    SimulatorResult pressedTwice = workspace.runScript("keyboard\npress q finger=2\npress w finger=2\n");
    EXPECT_EQ(pressedTwice.exitStatus, 2);
    EXPECT_EQ(pressedTwice.errors,
        "script.txt:3: press finger=2 needs that finger, which is on the screen; release or cancel it "
        "first\n");
    SimulatorResult flickedWhileDown = workspace.runScript("keyboard\npress q\nflick w\n");
    EXPECT_EQ(flickedWhileDown.exitStatus, 2);
    SimulatorResult unknown = workspace.runScript("keyboard\nroll \"a\xf0\x9f\x98\x80q\"\n");
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_NE(unknown.errors.find("script.txt:2: this keyboard cannot type \"\xf0\x9f\x98\x80\" of \"a"),
        std::string::npos)
        << unknown.errors;
}

} // namespace
