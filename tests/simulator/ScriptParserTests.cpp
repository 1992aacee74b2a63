#include "simulator/ScriptParser.h"

#include <gtest/gtest.h>

namespace {

ScriptCommand parseOne(std::string_view line, ScriptSyntax syntax = ScriptSyntax::Script)
{
    ParsedLine parsed = parseScriptLine(line, 7, syntax);
    EXPECT_FALSE(parsed.error) << *parsed.error;
    EXPECT_TRUE(parsed.command);
    return parsed.command.value_or(ScriptCommand {});
}

std::string errorOf(std::string_view line, ScriptSyntax syntax = ScriptSyntax::Script)
{
    ParsedLine parsed = parseScriptLine(line, 1, syntax);
    EXPECT_FALSE(parsed.command);
    return parsed.error.value_or("(no error)");
}

TEST(ScriptParser, QuotedStringsResolveTheirEscapes)
{
    ScriptCommand command = parseOne(R"(expect text "a\nb\t\"c\" \\ # not a comment")");
    EXPECT_EQ(command.kind, ScriptCommandKind::ExpectText);
    EXPECT_EQ(command.text, "a\nb\t\"c\" \\ # not a comment");
    EXPECT_EQ(command.line, 7);
    EXPECT_EQ(parseOne(R"(tap "\"")").key, "\"");
    EXPECT_EQ(parseOne(R"(tap "")").key, "");
}

TEST(ScriptParser, CommentsAndBlankLinesHoldNoCommand)
{
    for (std::string_view line : { "", "   \t", "# a comment", "   # indented comment" }) {
        ParsedLine parsed = parseScriptLine(line, 1);
        EXPECT_FALSE(parsed.command) << line;
        EXPECT_FALSE(parsed.error) << line;
    }
    EXPECT_EQ(parseOne("tap q # the first letter").key, "q");
}

TEST(ScriptParser, TapTakesAKeyOrAScreenPoint)
{
    ScriptCommand key = parseOne("tap 1");
    EXPECT_EQ(key.kind, ScriptCommandKind::Tap);
    EXPECT_EQ(key.key, "1");
    EXPECT_EQ(parseOne("tap space").key, "space");
    ScriptCommand point = parseOne("tap 160 300.5");
    EXPECT_EQ(point.kind, ScriptCommandKind::TapPoint);
    EXPECT_DOUBLE_EQ(point.x, 160);
    EXPECT_DOUBLE_EQ(point.y, 300.5);
    // Quoted, the first argument is always a key.
    EXPECT_EQ(errorOf(R"(tap "1" "2")"), "expected the end of the line after \"tap\", got \"2\"");
}

TEST(ScriptParser, GesturesHaveTheirDefaultDistancesAndTakeFractions)
{
    ScriptCommand flick = parseOne("flick q");
    EXPECT_EQ(flick.kind, ScriptCommandKind::Flick);
    EXPECT_DOUBLE_EQ(flick.y, 30);
    EXPECT_DOUBLE_EQ(parseOne("slide q").y, 7);
    EXPECT_DOUBLE_EQ(parseOne("slide q 5.9").y, 5.9);

    ScriptCommand drag = parseOne("drag w -0.5 -130 4");
    EXPECT_EQ(drag.kind, ScriptCommandKind::Drag);
    EXPECT_EQ(drag.key, "w");
    EXPECT_DOUBLE_EQ(drag.x, -0.5);
    EXPECT_DOUBLE_EQ(drag.y, -130);
    EXPECT_EQ(drag.steps, 4);
    EXPECT_EQ(parseOne("drag w 0 -30").steps, 1);
    EXPECT_DOUBLE_EQ(parseOne("move .5 -7.25").y, -7.25);
    EXPECT_DOUBLE_EQ(parseOne("wait 0.1").x, 0.1);
}

TEST(ScriptParser, OptionsComeInAnyOrderAtMostOnce)
{
    ScriptCommand keyboard = parseOne("keyboard layout=azerty type=3");
    EXPECT_EQ(keyboard.layout, "AZERTY");
    EXPECT_EQ(keyboard.keyboardType, 3);
    ScriptCommand bare = parseOne("keyboard");
    EXPECT_FALSE(bare.layout);
    EXPECT_FALSE(bare.keyboardType);

    ScriptCommand settings = parseOne("settings gesture=2 type=1");
    EXPECT_EQ(settings.typeMode, 1);
    EXPECT_EQ(settings.gesture, 2);

    EXPECT_EQ(errorOf("keyboard type=1 type=2"), "expected type= only once, got it again in \"type=2\"");
    EXPECT_EQ(errorOf("keyboard layout=DVORAK"),
        "expected type=N or layout=QWERTY|QWERTZ|AZERTY after \"keyboard\", got \"layout=DVORAK\"");
    EXPECT_EQ(errorOf("settings type=x"),
        "expected type=N or gesture=N (whole numbers) after \"settings\", got \"type=x\"");
}

TEST(ScriptParser, ExpectForms)
{
    ScriptCommand alt = parseOne(R"(expect alt q "1")");
    EXPECT_EQ(alt.kind, ScriptCommandKind::ExpectAlt);
    EXPECT_EQ(alt.key, "q");
    EXPECT_EQ(alt.text, "1");
    ScriptCommand setting = parseOne("expect setting gesture=2");
    EXPECT_EQ(setting.kind, ScriptCommandKind::ExpectSetting);
    EXPECT_EQ(setting.name, "gesture");
    EXPECT_EQ(setting.value, 2);
    EXPECT_EQ(parseOne(R"(expect screen-text "Slide up")").kind, ScriptCommandKind::ExpectScreenText);
    EXPECT_EQ(errorOf("expect setting gesture"),
        "expected KEY=N (such as gesture=2) after \"setting\", got \"gesture\"");
    EXPECT_EQ(errorOf("expect colour red"), "expected text, alt, setting or screen-text, got \"colour\"");
}

TEST(ScriptParser, ErrorsSayWhatWasExpected)
{
    EXPECT_EQ(errorOf(R"(expect text "unfinished)"),
        "expected a closing quote for the string that starts at column 13");
    EXPECT_EQ(errorOf(R"(tap "a"b)"), "expected a space after the closing quote at column 7");
    EXPECT_EQ(errorOf(R"(tap a"b")"),
        "expected a space or the end of the word before the quote at column 6 (quote the whole argument)");
    EXPECT_EQ(errorOf(R"(expect text "\q")"), "expected \\n, \\t, \\\" or \\\\ at column 14, got \\q");
    EXPECT_EQ(errorOf("flick q high"), "expected an upward distance in points after \"flick\", got \"high\"");
    EXPECT_EQ(errorOf("flick"),
        "expected a key (its string such as q or \"\\\"\", or a name such as space) after \"flick\"");
    EXPECT_EQ(errorOf("wait 1e3"), "expected a number of seconds after \"wait\", got \"1e3\"");
    EXPECT_EQ(errorOf("wait \"2\""), "expected a number of seconds after \"wait\", got \"2\"");
    EXPECT_EQ(errorOf("wait -1"), "expected a number of seconds from 0 to 86400 after \"wait\"");
    EXPECT_EQ(errorOf("drag q 1 2 0"), "expected a whole number of drag events from 1 to 10000, got \"0\"");
    EXPECT_EQ(errorOf("shift now"), "expected the end of the line after \"shift\", got \"now\"");
    EXPECT_EQ(errorOf("orientation sideways"), "expected portrait or landscape, got \"sideways\"");
    EXPECT_EQ(errorOf("app mail"), "expected settings, notes or test, got \"mail\"");
}

TEST(ScriptParser, UnknownCommandListsTheKnownOnes)
{
    std::string error = errorOf("tapp q");
    EXPECT_EQ(error.find("expected a command (locale, orientation, keyboard,"), 0u) << error;
    EXPECT_NE(error.find("snapshot, app, back), got \"tapp\""), std::string::npos) << error;
    // The host protocol's own words are not part of the script language.
    EXPECT_EQ(error.find("pointer-down"), std::string::npos);
    EXPECT_NE(errorOf("pointer-down 1 2").find("got \"pointer-down\""), std::string::npos);
    EXPECT_EQ(parseOne("pointer-down 1 2", ScriptSyntax::HostProtocol).kind, ScriptCommandKind::PointerDown);
}

TEST(ScriptParser, WholeScriptStopsAtTheFirstErrorWithItsLine)
{
    ParsedScript script = parseScript("demo.txt", "keyboard\n# comment\n\ntap q\nflick\ntap w\n");
    ASSERT_TRUE(script.error);
    EXPECT_EQ(script.error->format(),
        "demo.txt:5: expected a key (its string such as q or \"\\\"\", or a name such as space) after "
        "\"flick\"");
    EXPECT_EQ(script.commands.size(), 2u);

    ParsedScript good = parseScript("ok.txt", "keyboard\r\ntap q\r\nexpect text \"q\"");
    EXPECT_FALSE(good.error);
    ASSERT_EQ(good.commands.size(), 3u);
    EXPECT_EQ(good.commands[2].line, 3);
    EXPECT_EQ(good.commands[2].text, "q");
}

// The driver sends commands to its hosts as script lines; each must come back
// the same after the trip.
TEST(ScriptParser, EveryCommandSurvivesTheTripToAHost)
{
    const char* lines[] = {
        "locale de_CH",
        "orientation landscape",
        "keyboard type=3 layout=QWERTZ",
        "keyboard",
        "settings type=1 gesture=2",
        "settings gesture=-4",
        "keyplane numbers-and-punctuation",
        "shift",
        "shiftlock",
        "unshift",
        R"(tap "\"")",
        R"(tap "#")",
        R"(tap "")",
        "tap 12.5 -3",
        R"(tap-text "Flick up")",
        R"(tap-beside "on a key" -12.5)",
        R"(flick "#" 25.000001)",
        R"(flick "a b" 30)",
        "slide q 5.9",
        "drag q 1.5 -130.25 7",
        "press shift",
        "move 0 -30",
        // Written in exponent form, these would not read back.
        "move 8888888888888888888888.5 -0.0000000000000000000001",
        "wait 0.000000000000000000001",
        "release",
        "cancel",
        "wait 0.5",
        "clear",
        "expect text \"line\\none\\ttab \\\\ \\\"q\\\"\"",
        R"(expect alt Q "[")",
        "expect setting type=1",
        R"(expect screen-text "Slide up")",
        "print",
        R"(snapshot "out dir/shot 1.png")",
        "app notes",
        "back",
        "pointer-down 10 20.5",
        "pointer-move 10 -20.5",
        "pointer-up 0 0",
        "list-keys",
        R"(keyboard-snapshot "/tmp/k.png")",
        "render",
        "quit",
    };
    for (const char* line : lines) {
        ScriptCommand original = parseOne(line, ScriptSyntax::HostProtocol);
        std::string sent = original.toLine();
        ScriptCommand received = parseOne(sent, ScriptSyntax::HostProtocol);
        EXPECT_EQ(received.kind, original.kind) << line << " -> " << sent;
        EXPECT_EQ(received.name, original.name) << sent;
        EXPECT_EQ(received.key, original.key) << sent;
        EXPECT_EQ(received.text, original.text) << sent;
        EXPECT_EQ(received.x, original.x) << sent;
        EXPECT_EQ(received.y, original.y) << sent;
        EXPECT_EQ(received.steps, original.steps) << sent;
        EXPECT_EQ(received.keyboardType, original.keyboardType) << sent;
        EXPECT_EQ(received.layout, original.layout) << sent;
        EXPECT_EQ(received.typeMode, original.typeMode) << sent;
        EXPECT_EQ(received.gesture, original.gesture) << sent;
        EXPECT_EQ(received.value, original.value) << sent;
    }
}

} // namespace
