#include "simulator/CommandLine.h"
#include "simulator/ScriptLanguage.h"

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
    EXPECT_EQ(full.layout, findLetterLayout("AZERTY"));
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
    EXPECT_EQ(parsed({ "keys", "--device", "/d" }).deviceRoot, "/d");
    EXPECT_EQ(parsed({}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(parsed({ "--version" }).mode, CommandLine::Mode::Version);
}

TEST(CommandLine, MistakesSayWhatWasExpected)
{
    EXPECT_EQ(errorOf({ "typewrite" }),
        "expected a command (demo, interactive, run, keys, type, help), got \"typewrite\"");
    EXPECT_EQ(errorOf({ "run" }), "expected one script file after run, as in: corvane-sim run SCRIPT");
    EXPECT_EQ(errorOf({ "keys", "--type-mode", "3" }),
        "expected 1 (Shifted key) or 2 (Alternate key) after --type-mode, got \"3\"");
    EXPECT_EQ(errorOf({ "keys", "--keyboard-type", "web" }),
        "expected a keyboard type from 0 to 9, or 256 to 265 for its ASCII variant after --keyboard-type, "
        "got "
        "\"web\"");
    EXPECT_EQ(errorOf({ "keys", "--orientation", "upside-down" }),
        "expected portrait or landscape after --orientation, got \"upside-down\"");
    EXPECT_EQ(errorOf({ "keys", "--locale" }), "expected a value after --locale");
    EXPECT_EQ(errorOf({ "demo", "--png", "x.png" }),
        "unknown option --png for demo; expected one of --help, --device, --out, --version");
    EXPECT_EQ(errorOf({ "demo", "extra" }), "expected no further arguments after demo, got \"extra\"");
    EXPECT_EQ(errorOf({ "keys", "--layout", "dvorak" }),
        "expected QWERTY, QWERTZ, AZERTY, German, Spanish, Swedish, Finnish, Danish or Norwegian after "
        "--layout, got \"dvorak\"");
    // What a person typed is echoed with its control characters escaped.
    EXPECT_EQ(errorOf({ std::string("ru\0n\r", 5) }),
        "expected a command (demo, interactive, run, keys, type, help), got \"ru\\x00n\\r\"");
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
    EXPECT_EQ(full.layout, findLetterLayout("QWERTZ"));
    EXPECT_EQ(full.keyboardType, 3);
    EXPECT_EQ(full.corvane, CommandLine::Corvane::Shifted);
    EXPECT_EQ(full.gesture, CommandLine::Gesture::Slide);
    EXPECT_FALSE(full.rolled);
    EXPECT_TRUE(parsed({ "type", "--roll", "f" }).rolled);
    CommandLine listed = parsed({ "type", "--quiet", "--skipped", "skipped.txt", "f" });
    EXPECT_TRUE(listed.quiet);
    EXPECT_EQ(listed.skippedFile, "skipped.txt");
    EXPECT_EQ(parsed({ "type", "--corvane", "off", "f" }).corvane, CommandLine::Corvane::Off);
    EXPECT_EQ(parsed({ "type", "f" }).cost, PlanCost::Touches);
    CommandLine timed = parsed({ "type", "--cost", "time", "--sensitivity", "f" });
    EXPECT_EQ(timed.cost, PlanCost::Time);
    EXPECT_TRUE(timed.sensitivity);
    EXPECT_EQ(
        errorOf({ "type", "--cost", "speed", "f" }), "expected touches or time after --cost, got \"speed\"");

    EXPECT_EQ(errorOf({ "type" }), "expected one text file after type, as in: corvane-sim type FILE");
    EXPECT_EQ(
        errorOf({ "type", "a", "b" }), "expected one text file after type, as in: corvane-sim type FILE");
    EXPECT_EQ(errorOf({ "type", "--corvane", "on", "f" }),
        "expected off, alternate or shifted after --corvane, got \"on\"");
    EXPECT_EQ(errorOf({ "type", "--gesture", "swipe", "f" }),
        "expected flick or slide after --gesture, got \"swipe\"");
    EXPECT_EQ(errorOf({ "keys", "--roll" }),
        "unknown option --roll for keys; expected one of --help, --device, --locale, --keyboard-type, "
        "--layout, "
        "--keyplane, --orientation, --type-mode, --png, --version");
}

// The help a person asks for, per command or for the script language.
std::string helpOf(std::vector<std::string> arguments)
{
    CommandLine line = parsed(std::move(arguments));
    EXPECT_EQ(line.mode, CommandLine::Mode::Help);
    return line.helpText;
}

TEST(CommandLine, EachCommandHasItsOwnHelpAndRunsHelpIsTheWholeScriptLanguage)
{
    std::string typeHelp = helpOf({ "help", "type" });
    EXPECT_EQ(typeHelp, helpOf({ "type", "--help" }));
    EXPECT_NE(typeHelp.find("Usage: corvane-sim type [OPTIONS] FILE"), std::string::npos) << typeHelp;
    EXPECT_NE(typeHelp.find("--gesture flick|slide"), std::string::npos) << typeHelp;
    EXPECT_EQ(typeHelp.find("--png"), std::string::npos) << "another command's option";
    EXPECT_NE(helpOf({ "keys", "-h" }).find("--type-mode 1|2"), std::string::npos);

    std::string overview = helpOf({ "help" });
    EXPECT_EQ(overview, helpOf({ "--help" }));
    EXPECT_EQ(overview, helpOf({}));
    for (const char* command : { "demo", "interactive", "run", "keys", "type", "help" })
        EXPECT_NE(overview.find(std::string("\n  ") + command + " "), std::string::npos) << command;

    std::string runHelp = helpOf({ "help", "run" });
    EXPECT_EQ(runHelp, helpOf({ "run", "--help" }));
    std::string language = helpOf({ "help", "script" });
    EXPECT_NE(runHelp.find(language), std::string::npos) << "run's help ends with the script language";
    for (const ScriptCommandHelp& command : scriptCommandHelp()) {
        std::string usage
            = command.words + (command.arguments.empty() ? "" : " " + std::string(command.arguments));
        EXPECT_NE(language.find("\n  " + usage + "\n"), std::string::npos) << usage;
        EXPECT_NE(language.find("example: " + std::string(command.example) + "\n"), std::string::npos)
            << usage;
    }

    EXPECT_EQ(errorOf({ "help", "scrpit" }), "no help on \"scrpit\"; did you mean script?");
    EXPECT_EQ(errorOf({ "help", "snapshot" }),
        "no help on \"snapshot\"; expected one of script, demo, interactive, run, keys, type, help");
}

TEST(CommandLine, DoubleDashEndsTheOptionsAndADashIsStandardInput)
{
    EXPECT_EQ(parsed({ "type", "--", "-odd-name.txt" }).textFile, "-odd-name.txt");
    EXPECT_EQ(parsed({ "run", "--", "--roll" }).scriptFile, "--roll");
    EXPECT_EQ(parsed({ "type", "--roll", "-" }).textFile, "-");
    EXPECT_EQ(parsed({ "run", "-" }).scriptFile, "-");
    EXPECT_EQ(errorOf({ "type", "-odd-name.txt" }),
        "unknown option -odd-name.txt for type; a file whose name starts with - goes after --, as in: "
        "corvane-sim type -- -odd-name.txt");
}

TEST(CommandLine, SlipsOfTheKeyboardSayWhatWasLikelyMeant)
{
    EXPECT_EQ(errorOf({ "tpye", "f" }), "unknown command \"tpye\"; did you mean type?");
    EXPECT_EQ(errorOf({ "demmo" }), "unknown command \"demmo\"; did you mean demo?");
    EXPECT_EQ(errorOf({ "type", "--rol", "f" }), "unknown option --rol for type; did you mean --roll?");
    EXPECT_EQ(
        errorOf({ "keys", "--keyplan=x" }), "unknown option --keyplan for keys; did you mean --keyplane?");
    EXPECT_EQ(errorOf({ "--devise", "d", "keys" }),
        "unknown option --devise before the command; did you mean --device?");
    EXPECT_EQ(errorOf({ "type", "--roll=yes", "f" }), "--roll is a flag and takes no value, got \"yes\"");
}

// What the host would refuse is refused here, in the words of the option
// the person gave.
TEST(CommandLine, ValuesTheDeviceCannotTakeAreRefusedUpFront)
{
    EXPECT_EQ(errorOf({ "keys", "--png", "x.txt" }),
        "expected a file name ending in .png after --png, got \"x.txt\"");
    EXPECT_EQ(parsed({ "keys", "--png", "K.PNG" }).pngFile, "K.PNG");
    EXPECT_EQ(errorOf({ "type", "--keyboard-type", "99", "f" }),
        "expected a keyboard type from 0 to 9, or 256 to 265 for its ASCII variant after --keyboard-type, "
        "got "
        "\"99\"");
    EXPECT_EQ(parsed({ "keys", "--keyboard-type", "263" }).keyboardType, 263);
    EXPECT_FALSE(parseCommandLine({ "keys", "--keyboard-type", "-1" }));

    EXPECT_FALSE(parsed({ "interactive" }).windowScale) << "the largest that fits the screen";
    EXPECT_EQ(parsed({ "interactive", "--scale", "1.75" }).windowScale, 1.75);
    EXPECT_EQ(errorOf({ "interactive", "--scale", "0.5" }),
        "expected a scale from 1 to 4 (pixels per point) after --scale, got \"0.5\"");
    EXPECT_FALSE(parseCommandLine({ "interactive", "--scale", "2x" }));
}

} // namespace
