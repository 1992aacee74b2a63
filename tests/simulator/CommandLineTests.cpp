#include "simulator/CommandLine.h"

#include <gtest/gtest.h>

namespace {

CommandLine parsed(std::vector<std::string> arguments)
{
    auto result = parseCommandLine(arguments);
    EXPECT_TRUE(result) << result.error().message;
    return result ? result.value() : CommandLine {};
}

std::string errorOf(std::vector<std::string> arguments)
{
    auto result = parseCommandLine(arguments);
    return result ? "(no error)" : result.error().message;
}

TEST(CommandLine, KeysHasItsDefaultsAndTakesEveryOption)
{
    CommandLine plain = parsed({ "keys" });
    EXPECT_EQ(plain.mode, CommandLine::Mode::Keys);
    EXPECT_EQ(plain.locale, "en_US");
    EXPECT_EQ(plain.keyboardType, 0);
    EXPECT_FALSE(plain.layout) << "without --layout, the locale's";
    EXPECT_FALSE(plain.keyplane);
    EXPECT_EQ(plain.orientation, ScreenOrientation::Portrait);
    EXPECT_FALSE(plain.typeMode);

    CommandLine full = parsed(
        { "keys", "--locale", "fr_FR", "--keyboard-type=7", "--layout", "azerty", "--keyplane", "numbers",
            "--orientation", "landscape", "--type-mode", "1", "--png", "k.png", "--device", "/d" });
    EXPECT_EQ(full.locale, "fr_FR");
    EXPECT_EQ(full.keyboardType, 7);
    EXPECT_EQ(full.layout, KeyboardLetterLayout::AZERTY);
    EXPECT_EQ(full.keyplane, "numbers");
    EXPECT_EQ(full.orientation, ScreenOrientation::Landscape);
    EXPECT_EQ(full.typeMode, 1);
    EXPECT_EQ(full.pngFile, "k.png");
    EXPECT_EQ(full.deviceRoot, "/d");
}

TEST(CommandLine, DeviceMayComeBeforeTheCommand)
{
    CommandLine line = parsed({ "--device", "/root", "run", "script.txt" });
    EXPECT_EQ(line.mode, CommandLine::Mode::Run);
    EXPECT_EQ(line.deviceRoot, "/root");
    EXPECT_EQ(line.scriptFile, "script.txt");
    EXPECT_EQ(parsed({ "demo", "--out", "shots" }).outputDirectory, "shots");
    EXPECT_EQ(parsed({}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(parsed({ "keys", "--help" }).mode, CommandLine::Mode::Help);
}

TEST(CommandLine, MistakesSayWhatWasExpected)
{
    EXPECT_EQ(errorOf({ "typewrite" }),
        "expected a command (keys, run, demo, interactive, type), got \"typewrite\"");
    EXPECT_EQ(errorOf({ "run" }), "expected one script file after run, as in: corvane-sim run SCRIPT");
    EXPECT_EQ(errorOf({ "keys", "--type-mode", "3" }),
        "expected 1 (Shifted key) or 2 (Alternate key) after --type-mode, got \"3\"");
    EXPECT_EQ(errorOf({ "keys", "--keyboard-type", "web" }),
        "expected a keyboard type number after --keyboard-type, got \"web\"");
    EXPECT_EQ(errorOf({ "keys", "--orientation", "upside-down" }),
        "expected portrait or landscape after --orientation, got \"upside-down\"");
    EXPECT_EQ(errorOf({ "keys", "--locale" }), "expected a value after --locale");
    EXPECT_EQ(errorOf({ "demo", "--png", "x.png" }),
        "unknown option --png for demo; expected one of --device, --out");
    EXPECT_EQ(errorOf({ "demo", "extra" }), "expected no further arguments after demo, got \"extra\"");
    EXPECT_EQ(errorOf({ "keys", "--layout", "dvorak" }),
        "expected QWERTY, QWERTZ or AZERTY after --layout, got \"dvorak\"");
    // What a person typed is echoed with its control characters escaped.
    EXPECT_EQ(errorOf({ std::string("ru\0n\r", 5) }),
        "expected a command (keys, run, demo, interactive, type), got \"ru\\x00n\\r\"");
}

TEST(CommandLine, TypeTakesOneFileAndTheKeyboardsOptions)
{
    CommandLine plain = parsed({ "type", "lines.txt" });
    EXPECT_EQ(plain.mode, CommandLine::Mode::Type);
    EXPECT_EQ(plain.textFile, "lines.txt");
    EXPECT_EQ(plain.corvane, CommandLine::Corvane::Alternate);
    EXPECT_EQ(plain.gesture, CommandLine::Gesture::Flick);
    EXPECT_FALSE(plain.layout);

    CommandLine full = parsed({ "type", "--locale", "de_DE", "--layout", "qwertz", "--keyboard-type", "3",
        "--corvane=shifted", "--gesture", "slide", "lines.txt" });
    EXPECT_EQ(full.locale, "de_DE");
    EXPECT_EQ(full.layout, KeyboardLetterLayout::QWERTZ);
    EXPECT_EQ(full.keyboardType, 3);
    EXPECT_EQ(full.corvane, CommandLine::Corvane::Shifted);
    EXPECT_EQ(full.gesture, CommandLine::Gesture::Slide);
    EXPECT_FALSE(full.rolled);
    EXPECT_FALSE(full.quiet);
    EXPECT_FALSE(full.skippedFile);
    EXPECT_TRUE(parsed({ "type", "--roll", "f" }).rolled);
    CommandLine listed = parsed({ "type", "--quiet", "--skipped", "skipped.txt", "-" });
    EXPECT_TRUE(listed.quiet);
    EXPECT_EQ(listed.skippedFile, "skipped.txt");
    EXPECT_EQ(listed.textFile, "-");
    EXPECT_EQ(parsed({ "type", "--corvane", "off", "f" }).corvane, CommandLine::Corvane::Off);

    EXPECT_EQ(errorOf({ "type" }), "expected one text file after type, as in: corvane-sim type FILE");
    EXPECT_EQ(
        errorOf({ "type", "a", "b" }), "expected one text file after type, as in: corvane-sim type FILE");
    EXPECT_EQ(errorOf({ "type", "--corvane", "on", "f" }),
        "expected off, alternate or shifted after --corvane, got \"on\"");
    EXPECT_EQ(errorOf({ "type", "--gesture", "swipe", "f" }),
        "expected flick or slide after --gesture, got \"swipe\"");
    EXPECT_EQ(errorOf({ "type", "--png", "x.png", "f" }),
        "unknown option --png for type; expected one of --device, --corvane, --gesture, --keyboard-type, "
        "--layout, "
        "--locale, --quiet, --roll, --skipped");
    EXPECT_EQ(errorOf({ "keys", "--roll" }),
        "unknown option --roll for keys; expected one of --device, --keyboard-type, "
        "--keyplane, --layout, --locale, --orientation, --png, --type-mode");
}

} // namespace
