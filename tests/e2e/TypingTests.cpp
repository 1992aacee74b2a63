#include "SimulatorRun.h"
#include "tests/support/ShellCommand.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>

namespace {

SimulatorResult typeText(
    const E2EWorkspace& workspace, const std::string& text, std::vector<std::string> options = {})
{
    std::string file = workspace.write("lines.txt", text);
    std::vector<std::string> arguments { "type", "--device", workspace.deviceRoot() };
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(file);
    return runSimulator(arguments, workspace.path());
}

std::string summary(std::size_t characters, std::size_t lines, std::size_t touches, const std::string& kspc,
    const std::string& wpm, std::size_t skipped)
{
    return "typed " + std::to_string(characters) + " characters of " + std::to_string(lines) + " lines in "
        + std::to_string(touches) + " touches: KSPC " + kspc + ", predicted " + wpm + " wpm ("
        + std::to_string(skipped) + " lines skipped)\n";
}

// Worked out by hand on the QWERTY keyboard: with Corvane's alternates a digit
// or a punctuation sign of a letter key is one flick; a capital is one slide
// from shift onto its key, which goes back to the small letters.
TEST(TypingPlans, AreTheShortestWorkedOutByHand)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\n"
                                                 "plan \"a1\"\n"
                                                 "plan \"Hi, 5!\"\n"
                                                 "plan \"NASA!\"\n"
                                                 "keyplane Numbers-And-Punctuation\n"
                                                 "plan \"1 2\"\n");
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output,
        "tap a\nflick q\npredicted 588 ms\n"
        "drag-to shift H\ntap i\nflick x\ntap space\nflick t\nflick b\npredicted 1633 ms\n"
        // Four slides for four capitals, fewer than a double tap that locks
        // shift and four taps; "!" is the alternate of b.
        "drag-to shift N\ndrag-to shift A\ndrag-to shift S\ndrag-to shift A\nflick b\npredicted 2188 ms\n"
        // A space on the numbers brings the letters back, as exploring the keyboard
        // shows, and 2 is a flick there.
        "tap 1\ntap space\nflick w\npredicted 558 ms\n");
}

TEST(TypingPlans, FollowTheSettingsInForce)
{
    E2EWorkspace workspace;
    // "Shifted key": a flick on h gives H; the comma, 5 and ! are on the numbers
    // keyplane, each one slide from "more" that goes back to the letters.
    SimulatorResult result = workspace.runScript("settings type=1\n"
                                                 "keyboard\n"
                                                 "plan \"Hi, 5!\"\n"
                                                 "type \"Hi, 5!\"\n"
                                                 "expect text \"Hi, 5!\"\n"
                                                 "settings type=2 gesture=2\n"
                                                 "plan \"a1\"\n");
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output,
        "flick h\ntap i\ndrag-to more ,\ntap space\ndrag-to more 5\ndrag-to more !\npredicted 2261 ms\n"
        "tap a\nslide q\npredicted 518 ms\n");
}

// The platform's own slide from "123" onto a digit is one touch, as Corvane's
// flick is: on these lines Corvane saves no touch.
TEST(TypingPlans, WithoutCorvaneSlideFromTheKeyplaneKeys)
{
    E2EWorkspace workspace;
    // a and a slide onto 1; a slide onto 1, a space and a slide onto 2.
    SimulatorResult result = typeText(workspace, "a1\n1 2\n", { "--corvane", "off" });
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output, summary(5, 2, 5, "1.000", "31.3", 0));

    SimulatorResult withCorvane = typeText(workspace, "a1\n1 2\n");
    ASSERT_EQ(withCorvane.exitStatus, 0) << withCorvane.errors;
    // The same touches, but a flick on q or w is a shorter trip than a slide from "123".
    EXPECT_EQ(withCorvane.output, summary(5, 2, 5, "1.000", "46.0", 0));
}

// The slide from shift onto H is one touch but crosses the keyboard; a tap
// on shift by the left thumb while the right one travels to H is quicker.
TEST(TypingPlans, ForTimeTakeTheQuickerTouchesWhereTheyDiffer)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\n"
                                                 "plan \"Hi\"\n"
                                                 "plan --cost time \"Hi\"\n"
                                                 "type --cost time \"Hi\"\n"
                                                 "expect text \"Hi\"\n");
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output,
        "drag-to shift H\ntap i\npredicted 592 ms\ntap shift\ntap H\ntap i\npredicted 549 ms\n");
}

TEST(TypingFiles, PredictTheSpeedAndHowMuchEachCoefficientCarries)
{
    E2EWorkspace workspace;
    SimulatorResult fewest = typeText(workspace, "Hi, 5!\na1\n");
    ASSERT_EQ(fewest.exitStatus, 0) << fewest.errors;
    EXPECT_EQ(fewest.output, summary(8, 2, 8, "1.000", "43.2", 0));

    // The fastest plans take a touch more and are quicker.
    SimulatorResult fastest = typeText(workspace, "Hi, 5!\na1\n", { "--cost", "time", "--sensitivity" });
    ASSERT_EQ(fastest.exitStatus, 0) << fastest.errors;
    EXPECT_EQ(fastest.output,
        "sensitivity: fittsIntercept -50% 60.0 wpm, +50% 38.7 wpm\n"
        "sensitivity: fittsSlope -50% 51.2 wpm, +50% 43.6 wpm\n"
        "sensitivity: alternationMinimum -50% 50.3 wpm, +50% 44.2 wpm\n"
        "sensitivity: strokeFactor -50% 54.7 wpm, +50% 41.3 wpm\n"
        "sensitivity: strokeExponent -50% 51.4 wpm, +50% 42.0 wpm\n"
        "sensitivity: pointsPerInch -50% 42.6 wpm, +50% 49.5 wpm\n"
            + summary(8, 2, 9, "1.125", "47.1", 0));
}

TEST(TypingScripts, TypeWhatTheTextSaysThroughTheKeyboard)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("locale fr_FR\n"
                                                 "keyboard\n"
                                                 "type \"Où ça? À 7h, l'été.\"\n"
                                                 "expect text \"Où ça? À 7h, l'été.\"\n"
                                                 "settings type=1\n"
                                                 "type \" Ok\"\n"
                                                 "expect text \"Où ça? À 7h, l'été. Ok\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
}

// Rolled, a capital is a slide from shift, which is never overlapped. From a
// shifted or shift-locked start a shift touched before a small letter is still
// down as that letter's key goes down, and there it acts as a held shift.
TEST(TypingPlans, RolledTypeExactlyFromEveryShiftState)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\n"
                                                 "plan --roll \"NASA!\"\n"
                                                 "roll \"NASA! Ok, 5.\"\n"
                                                 "type --roll \" 1\"\n"
                                                 "expect text \"NASA! Ok, 5. 1\"\n"
                                                 "clear\n"
                                                 "shift\n"
                                                 "type --roll \"a\"\n"
                                                 "shiftlock\n"
                                                 "type --roll \"b\"\n"
                                                 "shift\n"
                                                 "keyplane Numbers-And-Punctuation\n"
                                                 "type --roll \"c\"\n"
                                                 "expect text \"abc\"\n");
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output,
        "drag-to shift N\ndrag-to shift A\ndrag-to shift S\ndrag-to shift A\nflick b\npredicted 2188 ms\n");
}

// A tap on shift just after the one that shifted locks it: the plan knows.
TEST(TypingPlans, KnowWhenATapOnShiftWouldLockIt)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\n"
                                                 "type \"x\"\n"
                                                 "shift\n"
                                                 "plan \"a\"\n"
                                                 "type \"a\"\n"
                                                 "expect text \"xa\"\n");
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    // Locked, then a slide from shift: down, it ends the lock, and a is typed small.
    EXPECT_EQ(result.output, "tap shift\ndrag-to shift a\npredicted 541 ms\n");
}

// "[" is on the symbols, reached from the numbers; its line leaves the numbers
// keyplane up. By default the next line still starts on the letters.
TEST(TypingFiles, StartEveryLineFromTheKeyboardAsItCameUp)
{
    E2EWorkspace workspace;
    SimulatorResult fresh = typeText(workspace, "[\n[\n", { "--corvane", "off" });
    ASSERT_EQ(fresh.exitStatus, 0) << fresh.errors;
    EXPECT_EQ(fresh.output, summary(2, 2, 4, "2.000", "17.5", 0));

    SimulatorResult carried = typeText(workspace, "[\n[\n", { "--corvane", "off", "--carry-state" });
    ASSERT_EQ(carried.exitStatus, 0) << carried.errors;
    EXPECT_EQ(carried.output, summary(2, 2, 3, "1.500", "21.4", 0));
}

// The touches of a `type` run, from its last line.
std::size_t touchesOf(const SimulatorResult& result)
{
    std::size_t at = result.output.rfind(" in ");
    return at == std::string::npos ? 0 : std::stoul(result.output.substr(at + 4));
}

// Each line may start as a person may have left the keyboard just before: the
// touches that take it from there differ, and every line still comes out exactly,
// rolled too (a lower-case letter after a shift tap was where rolled plans failed, and
// a run of slides from shift where the keyboard took a late shift touch for a double tap).
TEST(TypingFiles, StartEveryLineWhereAsked)
{
    E2EWorkspace workspace;
    auto touchesFrom = [&](const std::string& start) {
        SimulatorResult result = typeText(workspace, "ab\n[\n", { "--corvane", "off", "--start", start });
        EXPECT_EQ(result.exitStatus, 0) << start << ": " << result.errors;
        return touchesOf(result);
    };
    // Small letters are one touch each from the letters; "[" a slide from "#+=" on the numbers.
    EXPECT_EQ(touchesFrom("fresh"), 4u);
    // Shift first ended by a tap.
    EXPECT_EQ(touchesFrom("shifted"), 5u);
    EXPECT_EQ(touchesFrom("numbers"), 3u);

    for (const char* start : { "shifted", "shift-locked", "numbers", "symbols" }) {
        SimulatorResult rolled = typeText(workspace,
            "Hello, World 42!\nabc [x] \u00e9t\u00e9\nA B C D E F: #\n", { "--roll", "--start", start });
        EXPECT_EQ(rolled.exitStatus, 0) << start << ": " << rolled.errors;
    }

    SimulatorResult refused = typeText(workspace, "ab\n", { "--start", "upside-down" });
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_NE(refused.errors.find(
                  "expected fresh, carried, shifted, shift-locked, numbers or symbols after --start"),
        std::string::npos)
        << refused.errors;
}

TEST(TypingScripts, RefuseATextTheKeyboardCannotType)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\n"
                                                 "type \"ok\"\n"
                                                 "type \"tab\\there\"\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.errors.find("script.txt:3: this keyboard cannot type \"\\t\" of \"tab\\there\""),
        std::string::npos)
        << result.errors;
}

TEST(TypingFiles, SkipAndListLinesWithCharactersNoKeyTypes)
{
    E2EWorkspace workspace;
    // A byte-order mark and a carriage return ending a line, the last one
    // included, are not text; a tab and an arrow are on no key.
    std::string text = "\xEF\xBB\xBFok\r\ntab\there\n\nfine\xE2\x86\x92\nfin\r";
    SimulatorResult result = typeText(workspace, text);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output, summary(5, 5, 5, "1.000", "58.7", 2));
    EXPECT_EQ(result.errors,
        "corvane-sim: line 2 skipped: no key types U+0009 \"\\t\"\n"
        "corvane-sim: line 4 skipped: no key types U+2192 \"\xE2\x86\x92\"\n");

    // Or listed in a file of their own.
    SimulatorResult listed = typeText(workspace, text, { "--skipped", "skipped.txt" });
    ASSERT_EQ(listed.exitStatus, 0) << listed.errors;
    EXPECT_EQ(listed.errors, "");
    EXPECT_EQ(workspace.read("skipped.txt"),
        "line 2 skipped: no key types U+0009 \"\\t\"\n"
        "line 4 skipped: no key types U+2192 \"\xE2\x86\x92\"\n");
}

// Touches per character mean nothing without characters: the run fails.
TEST(TypingFiles, SayWhenNothingWasTyped)
{
    E2EWorkspace workspace;
    SimulatorResult empty = typeText(workspace, "\xEF\xBB\xBF");
    EXPECT_EQ(empty.exitStatus, 1);
    EXPECT_EQ(empty.output, "nothing was typed: the text is empty\n");
    SimulatorResult skipped = typeText(workspace, "\t\n\xE2\x86\x92\n");
    EXPECT_EQ(skipped.exitStatus, 1);
    EXPECT_EQ(skipped.output, "nothing was typed: all 2 lines were skipped\n");
}

TEST(TypingFiles, ShowProgressOnStandardErrorOnly)
{
    E2EWorkspace workspace;
    std::string lines;
    for (int line = 0; line < 600; ++line)
        lines += "Hi\n";
    SimulatorResult result = typeText(workspace, lines);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output, summary(1200, 600, 1200, "1.000", "40.5", 0));
    EXPECT_EQ(result.errors,
        "corvane-sim: line 250: 500 characters in 500 touches, 0 lines skipped\n"
        "corvane-sim: line 500: 1000 characters in 1000 touches, 0 lines skipped\n");
    SimulatorResult quiet = typeText(workspace, lines, { "--quiet" });
    ASSERT_EQ(quiet.exitStatus, 0) << quiet.errors;
    EXPECT_EQ(quiet.errors, "");
}

// The text is read as it is typed; a line too long to plan is refused when
// it comes, without being read whole.
TEST(TypingFiles, ALineOverTheLimitIsAnError)
{
    E2EWorkspace workspace;
    SimulatorResult result = typeText(workspace, "ok\n" + std::string(1'000'001, 'a') + "\nfine\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(result.errors, "corvane-sim: line 2 is longer than 1000000 bytes, the most a line may hold\n");
}

// Interrupted, a run ends its apps and removes its copy of the device before
// it exits with 128 + the signal, whether it was waiting for an app to type
// a long line or for more text on standard input.
TEST(TypingFiles, AnInterruptedRunLeavesNothingBehind)
{
    E2EWorkspace workspace;
    std::string temporary = workspace.path() + "/tmp";
    std::filesystem::create_directories(temporary);
    std::string shortLines;
    for (int line = 0; line < 250; ++line)
        shortLines += "Hi\n";
    // With a long line to type next, the run waits for its app; without, for its input.
    for (auto [signal, next] : { std::pair { SIGINT, std::string(100'000, 'q') + "\n" }, { SIGTERM, "" } }) {
        RunningSimulator run(
            { "type", "--device", workspace.deviceRoot(), "-" }, workspace.path(), { "TMPDIR=" + temporary });
        run.write(shortLines + next);
        ASSERT_TRUE(run.waitForErrors("corvane-sim: line 250:")) << run.errors();
        run.signal(signal);
        EXPECT_EQ(run.wait(), 128 + signal) << run.errors();
        EXPECT_TRUE(std::filesystem::is_empty(temporary));
        EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
    }
}

TEST(TypingFiles, AFileThatCannotBeReadIsAnError)
{
    E2EWorkspace workspace;
    SimulatorResult result = runSimulator(
        { "type", "--device", workspace.deviceRoot(), workspace.path() + "/missing.txt" }, workspace.path());
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.output, "");
    EXPECT_NE(result.errors.find("cannot read the text to type"), std::string::npos) << result.errors;
}

// Real text none of us wrote, typed exactly in every mode: the first lines of
// each corpus (tools/typing-corpus), on the keyboard of its language.
struct CorpusKeyboard {
    const char* corpus;
    const char* locale;
    const char* layout;
};

struct TypingMode {
    const char* name;
    std::vector<std::string> options;
};

// By name, so that CTest's test names stay the same from build to build.
void PrintTo(const CorpusKeyboard& keyboard, std::ostream* stream)
{
    *stream << keyboard.corpus;
}

void PrintTo(const TypingMode& mode, std::ostream* stream)
{
    *stream << mode.name;
}

class CorpusTyping : public testing::TestWithParam<std::tuple<CorpusKeyboard, TypingMode>> { };

constexpr int corpusLinesTyped = 100;

TEST_P(CorpusTyping, ComesOutExactly)
{
    const auto& [keyboard, mode] = GetParam();
    ShellCommand corpus = ShellCommand::run(ShellCommand::quoted(sourceTreePath("tools/typing-corpus")) + " "
        + keyboard.corpus + " 2>&1 | head -n " + std::to_string(corpusLinesTyped));
    if (corpus.output.find("typing-corpus:") != std::string::npos)
        GTEST_SKIP() << "the corpus is not installed (tools/bootstrap installs it): " << corpus.output;
    E2EWorkspace workspace;
    std::vector<std::string> options { "--locale", keyboard.locale, "--layout", keyboard.layout };
    options.insert(options.end(), mode.options.begin(), mode.options.end());
    SimulatorResult result = typeText(workspace, corpus.output, options);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    std::string expectedStart = "typed ";
    EXPECT_EQ(result.output.compare(0, expectedStart.size(), expectedStart), 0) << result.output;
    EXPECT_NE(result.output.find(" of " + std::to_string(corpusLinesTyped) + " lines in "), std::string::npos)
        << result.output;
}

INSTANTIATE_TEST_SUITE_P(EveryMode, CorpusTyping,
    testing::Combine(
        testing::Values(CorpusKeyboard { "english", "en_US", "QWERTY" },
            CorpusKeyboard { "german", "de_DE", "QWERTZ" }, CorpusKeyboard { "french", "fr_FR", "AZERTY" },
            CorpusKeyboard { "spanish", "es_ES", "Spanish" }),
        testing::Values(TypingMode { "Off", { "--corvane", "off" } },
            TypingMode { "AlternateFlick", { "--corvane", "alternate", "--gesture", "flick" } },
            TypingMode { "AlternateSlide", { "--corvane", "alternate", "--gesture", "slide" } },
            TypingMode { "ShiftedFlick", { "--corvane", "shifted", "--gesture", "flick" } },
            TypingMode { "ShiftedSlide", { "--corvane", "shifted", "--gesture", "slide" } },
            TypingMode { "OffRolled", { "--corvane", "off", "--roll" } },
            TypingMode {
                "AlternateFlickRolled", { "--corvane", "alternate", "--gesture", "flick", "--roll" } },
            TypingMode {
                "AlternateSlideRolled", { "--corvane", "alternate", "--gesture", "slide", "--roll" } },
            TypingMode { "ShiftedFlickRolled", { "--corvane", "shifted", "--gesture", "flick", "--roll" } },
            TypingMode { "ShiftedSlideRolled", { "--corvane", "shifted", "--gesture", "slide", "--roll" } })),
    [](const testing::TestParamInfo<CorpusTyping::ParamType>& tested) {
        return std::string(std::get<0>(tested.param).corpus) + std::get<1>(tested.param).name;
    });

} // namespace
