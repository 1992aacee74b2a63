#include "contracts/CorvaneContract.h"
#include "simulator/ScriptLanguage.h"

#include <gtest/gtest.h>
#include <set>

namespace {

ScriptCommand parseOne(std::string_view line, ScriptSyntax syntax = ScriptSyntax::Script)
{
    auto parsed = parseScriptLine(line, syntax);
    EXPECT_TRUE(parsed) << line << ": " << parsed.error().message;
    EXPECT_TRUE(parsed && parsed.value()) << line;
    return parsed && parsed.value() ? *parsed.value() : ScriptCommand(command::Print {});
}

template <typename Command> Command parseAs(std::string_view line)
{
    ScriptCommand command = parseOne(line);
    EXPECT_TRUE(std::holds_alternative<Command>(command)) << line;
    return std::holds_alternative<Command>(command) ? std::get<Command>(command) : Command {};
}

std::string errorOf(std::string_view line, ScriptSyntax syntax = ScriptSyntax::Script)
{
    auto parsed = parseScriptLine(line, syntax);
    EXPECT_FALSE(parsed) << line;
    return parsed ? "(no error)" : parsed.error().message;
}

TEST(ScriptLanguage, QuotedStringsResolveTheirEscapes)
{
    EXPECT_EQ(parseAs<command::ExpectText>(R"(expect text "a\nb\t\"c\" \\ # not a comment")").text,
        "a\nb\t\"c\" \\ # not a comment");
    EXPECT_EQ(parseAs<command::Tap>(R"(tap "\"")").key, "\"");
    EXPECT_EQ(parseAs<command::Tap>(R"(tap "")").key, "");
    EXPECT_EQ(parseAs<command::ExpectText>(R"(expect text "\x00\r\x7f")").text, std::string("\0\r\x7F", 3));
}

TEST(ScriptLanguage, CommentsAndBlankLinesHoldNoCommand)
{
    for (std::string_view line : { "", "   \t", "# a comment", "   # indented comment", "\r" }) {
        auto parsed = parseScriptLine(line);
        ASSERT_TRUE(parsed) << line;
        EXPECT_FALSE(parsed.value()) << line;
    }
    EXPECT_EQ(parseAs<command::Tap>("tap q # the first letter").key, "q");
}

TEST(ScriptLanguage, TapTakesAKeyOrAScreenPoint)
{
    EXPECT_EQ(parseAs<command::Tap>("tap 1").key, "1");
    EXPECT_EQ(parseAs<command::Tap>("tap space").key, "space");
    command::TapPoint point = parseAs<command::TapPoint>("tap 160 300.5");
    EXPECT_DOUBLE_EQ(point.x, 160);
    EXPECT_DOUBLE_EQ(point.y, 300.5);
    // Quoted, the first argument is always a key.
    EXPECT_EQ(errorOf(R"(tap "1" "2")"), "expected the end of the line after \"tap\", got \"2\"");
}

TEST(ScriptLanguage, GesturesHaveTheirDefaultDistancesAndTakeFractions)
{
    EXPECT_DOUBLE_EQ(parseAs<command::Flick>("flick q").distance, 30);
    EXPECT_DOUBLE_EQ(parseAs<command::Slide>("slide q").distance, 7);
    EXPECT_DOUBLE_EQ(parseAs<command::Slide>("slide q 5.9").distance, 5.9);

    command::Drag drag = parseAs<command::Drag>("drag w -0.5 -130 4");
    EXPECT_EQ(drag.key, "w");
    EXPECT_DOUBLE_EQ(drag.dx, -0.5);
    EXPECT_DOUBLE_EQ(drag.dy, -130);
    EXPECT_EQ(drag.steps, 4);
    EXPECT_EQ(parseAs<command::Drag>("drag w 0 -30").steps, 1);
    EXPECT_DOUBLE_EQ(parseAs<command::Move>("move .5 -7.25").dy, -7.25);
    EXPECT_DOUBLE_EQ(parseAs<command::Wait>("wait 0.1").seconds, 0.1);
}

// A distance is walked in drag events about 5 points apart; one of ten
// billion points would keep a host busy for ever.
TEST(ScriptLanguage, DistancesAndPointsAreBounded)
{
    EXPECT_DOUBLE_EQ(parseAs<command::Flick>("flick q 10000").distance, 10000);
    EXPECT_DOUBLE_EQ(parseAs<command::Slide>("slide q -10000").distance, -10000);
    EXPECT_EQ(errorOf(R"(plan --cost fast "a")"), "expected touches or time, got \"fast\"");
    EXPECT_EQ(errorOf(R"(plan --sensitivity "a")"), "expected the end of the line after \"plan\", got \"a\"");
    EXPECT_EQ(errorOf("flick q 10000000000"),
        "expected an upward distance in points from -10000 to 10000 after \"flick\", got \"10000000000\"");
    EXPECT_EQ(errorOf("slide q 10000.5"),
        "expected an upward distance in points from -10000 to 10000 after \"slide\", got \"10000.5\"");
    EXPECT_NE(errorOf("drag q 0 -20000 3").find("from -10000 to 10000"), std::string::npos);
    EXPECT_NE(errorOf("move 99999 0").find("from -10000 to 10000"), std::string::npos);
    EXPECT_NE(errorOf("tap 0 -10001").find("from -10000 to 10000"), std::string::npos);
    EXPECT_NE(errorOf("tap-beside \"x\" 12345").find("from -10000 to 10000"), std::string::npos);
    EXPECT_NE(errorOf("pointer-down 1e9 0", ScriptSyntax::HostProtocol).find("a screen point X Y"),
        std::string::npos);
}

TEST(ScriptLanguage, OptionsComeInAnyOrderAtMostOnce)
{
    command::Keyboard keyboard = parseAs<command::Keyboard>("keyboard layout=azerty type=3");
    EXPECT_EQ(keyboard.layout, findLetterLayout("AZERTY"));
    EXPECT_EQ(keyboard.type, 3);
    command::Keyboard bare = parseAs<command::Keyboard>("keyboard");
    EXPECT_FALSE(bare.layout);
    EXPECT_FALSE(bare.type);

    command::Settings settings = parseAs<command::Settings>("settings gesture=2 type=1");
    EXPECT_EQ(settings.values,
        (std::map<std::string, int> { { contract::typeKey, 1 }, { contract::gestureKey, 2 } }));

    EXPECT_EQ(errorOf("keyboard type=1 type=2"), "expected type= only once, got it again in \"type=2\"");
    EXPECT_EQ(errorOf("keyboard layout=DVORAK"),
        "expected type=N (a keyboard type from 0 to 9, or 256 to 265 for its ASCII variant) or "
        "layout=QWERTY|QWERTZ|AZERTY|German|Spanish|Swedish|Finnish|Danish|Norwegian after \"keyboard\", got "
        "\"layout=DVORAK\"");
    EXPECT_EQ(errorOf("keyboard type=99").substr(0, 64), errorOf("keyboard layout=DVORAK").substr(0, 64))
        << "only the keyboard types the platform knows";
    EXPECT_EQ(errorOf("settings type=x"),
        "expected type=N or gesture=N (whole numbers) after \"settings\", got \"type=x\"");
    EXPECT_EQ(errorOf("settings typo=1"),
        "expected type=N or gesture=N (whole numbers) after \"settings\", got \"typo=1\"");
}

TEST(ScriptLanguage, ExpectForms)
{
    command::ExpectAlt alt = parseAs<command::ExpectAlt>(R"(expect alt q "1")");
    EXPECT_EQ(alt.key, "q");
    EXPECT_EQ(alt.alternate, "1");
    command::ExpectSetting setting = parseAs<command::ExpectSetting>("expect setting gesture=2");
    EXPECT_EQ(setting.key, contract::gestureKey);
    EXPECT_EQ(setting.value, 2);
    EXPECT_EQ(parseAs<command::ExpectScreenText>(R"(expect screen-text "Slide up")").text, "Slide up");
    EXPECT_EQ(errorOf("expect setting gesture"),
        "expected KEY=N (such as gesture=2) after \"expect setting\", got \"gesture\"");
    EXPECT_EQ(errorOf("expect colour red"), "expected text, alt, setting or screen-text, got \"colour\"");
    EXPECT_EQ(errorOf("expect"), "expected text, alt, setting or screen-text after \"expect\"");
}

TEST(ScriptLanguage, SnapshotsArePngFiles)
{
    EXPECT_EQ(parseAs<command::Snapshot>("snapshot shots/one.png").file, "shots/one.png");
    EXPECT_EQ(parseAs<command::Snapshot>("snapshot TWO.PNG").file, "TWO.PNG");
    EXPECT_EQ(
        errorOf("snapshot x.txt"), "expected a file name ending in .png after \"snapshot\", got \"x.txt\"");
    EXPECT_EQ(
        errorOf("snapshot .png"), "expected a file name ending in .png after \"snapshot\", got \".png\"");
    EXPECT_EQ(errorOf("snapshot"), "expected a file name ending in .png after \"snapshot\"");
}

TEST(ScriptLanguage, ErrorsSayWhatWasExpected)
{
    EXPECT_EQ(errorOf(R"(expect text "unfinished)"),
        "expected a closing quote for the string that starts at column 13");
    EXPECT_EQ(errorOf(R"(tap "a"b)"), "expected a space after the closing quote at column 7");
    EXPECT_EQ(errorOf(R"(tap a"b")"),
        "expected a space or the end of the word before the quote at column 6 (quote the whole argument)");
    EXPECT_EQ(
        errorOf(R"(expect text "\q")"), "expected \\n, \\t, \\r, \\\", \\\\ or \\xHH at column 14, got \\q");
    EXPECT_EQ(
        errorOf(R"(expect text "\x4")"), "expected \\n, \\t, \\r, \\\", \\\\ or \\xHH at column 14, got \\x");
    EXPECT_EQ(errorOf("flick q high"), "expected an upward distance in points after \"flick\", got \"high\"");
    EXPECT_EQ(errorOf("flick"),
        "expected a key (its string such as q or \"\\\"\", or a name such as space) after \"flick\"");
    EXPECT_EQ(errorOf("wait 1e3"), "expected a number of seconds after \"wait\", got \"1e3\"");
    EXPECT_EQ(errorOf("wait \"2\""), "expected a number of seconds after \"wait\", got \"2\"");
    EXPECT_EQ(errorOf("wait -1"), "expected a number of seconds from 0 to 86400 after \"wait\", got \"-1\"");
    EXPECT_EQ(errorOf("drag q 1 2 0"),
        "expected a number of drag events from 1 to 10000 after \"drag\", got \"0\"");
    EXPECT_EQ(errorOf("drag q 1 2 2.5"),
        "expected a number of drag events from 1 to 10000 after \"drag\", got \"2.5\"");
    EXPECT_EQ(errorOf("shift now"), "expected the end of the line after \"shift\", got \"now\"");
    EXPECT_EQ(errorOf("orientation sideways"), "expected portrait or landscape, got \"sideways\"");
    EXPECT_EQ(errorOf("app mail"), "expected settings, notes or test, got \"mail\"");
}

// `corvane-sim help script` is written from these: each command a person may
// use explains itself, and its example reads back as that very command.
TEST(ScriptLanguage, EveryScriptCommandHasHelpWithAnExampleOfItself)
{
    std::vector<ScriptCommandHelp> help = scriptCommandHelp();
    std::set<std::size_t> covered;
    for (const ScriptCommandHelp& command : help) {
        EXPECT_FALSE(command.summary.empty()) << command.words;
        ScriptCommand example = parseOne(command.example);
        std::string written = writeScriptCommand(example);
        EXPECT_TRUE(written == command.words || written.starts_with(command.words + " ")) << command.example;
        covered.insert(example.index());
    }
    EXPECT_EQ(covered.size(), help.size()) << "two commands' examples show the same command";
}

// Error messages echo what the script holds; raw control characters would
// reach the terminal.
TEST(ScriptLanguage, ErrorsEscapeTheControlCharactersTheyEcho)
{
    std::string unknown = errorOf(std::string("ta\0p\x1b[2J q", 10));
    EXPECT_NE(unknown.find("got \"ta\\x00p\\x1B[2J\""), std::string::npos) << unknown;
    EXPECT_EQ(unknown.find('\0'), std::string::npos);
    EXPECT_EQ(unknown.find('\x1b'), std::string::npos);
    std::string argument = errorOf(std::string("shift \x07\r\x08", 9));
    EXPECT_EQ(argument, "expected the end of the line after \"shift\", got \"\\x07\"");
    // A C1 control (here a terminal's CSI, U+009B) and bytes that are not
    // UTF-8 are escaped too; well-formed text beyond ASCII is not.
    EXPECT_EQ(errorOf("shift \"a\xC2\x9B"
                      "31m\""),
        "expected the end of the line after \"shift\", got \"a\\xC2\\x9B31m\"");
    EXPECT_EQ(errorOf("shift \"\xC3\xA9\xFF\xC3\xE9\x80\xED\xA0\x80\xF4\x90\x80\x80\""),
        "expected the end of the line after \"shift\", got "
        "\"\xC3\xA9\\xFF\\xC3\\xE9\\x80\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80\"");
}

TEST(ScriptLanguage, UnknownCommandListsTheKnownOnes)
{
    std::string error = errorOf("tapp q");
    EXPECT_EQ(error.find("expected a command (locale, orientation, keyboard,"), 0u) << error;
    EXPECT_NE(error.find("snapshot, app, back), got \"tapp\""), std::string::npos) << error;
    // The host protocol's own words are not part of the script language.
    EXPECT_EQ(error.find("pointer-down"), std::string::npos);
    EXPECT_NE(errorOf("pointer-down 1 2").find("got \"pointer-down\""), std::string::npos);
    EXPECT_TRUE(std::holds_alternative<command::PointerDown>(
        parseOne("pointer-down 1 2", ScriptSyntax::HostProtocol)));
}

TEST(ScriptLanguage, WholeScriptStopsAtTheFirstErrorWithItsLine)
{
    auto script = parseScript("demo.txt", "keyboard\n# comment\n\ntap q\nflick\ntap w\n");
    ASSERT_FALSE(script);
    EXPECT_EQ(script.error().message,
        "demo.txt:5: expected a key (its string such as q or \"\\\"\", or a name such as space) after "
        "\"flick\"");

    auto parsed = parseScript("ok.txt", "keyboard\r\ntap q\r\nexpect text \"q\"");
    ASSERT_TRUE(parsed) << parsed.error().message;
    const ParsedScript& good = parsed.value();
    ASSERT_EQ(good.lines.size(), 3u);
    EXPECT_EQ(good.lines[2].number, 3);
    EXPECT_EQ(std::get<command::ExpectText>(good.lines[2].command).text, "q");
}

TEST(ScriptLanguage, FingersAreNumberedFromOneToTen)
{
    EXPECT_EQ(parseAs<command::Press>("press t").finger, 1);
    EXPECT_EQ(parseAs<command::Press>("press h finger=2").finger, 2);
    EXPECT_EQ(parseAs<command::Release>("release finger=10").finger, 10);
    command::Move move = parseAs<command::Move>("move 1 -2 finger=4");
    EXPECT_EQ(move.finger, 4);
    EXPECT_DOUBLE_EQ(move.dy, -2);
    for (std::string_view line : { "release finger=0", "cancel finger=11", "press q finger=two" })
        EXPECT_NE(errorOf(line).find("finger=N (a finger from 1 to 10)"), std::string::npos) << line;
    EXPECT_EQ(parseAs<command::Roll>(R"(roll "Meet at 7:45")").text, "Meet at 7:45");
    EXPECT_NE(errorOf("roll").find("the text to type in quotes"), std::string::npos);
}

// The driver sends commands to its hosts as script lines; each must come back
// the same after the trip, and every command of the language has a line here.
TEST(ScriptLanguage, EveryCommandSurvivesTheTripToAHost)
{
    struct Trip {
        const char* line;
        const char* written;
    };
    const Trip trips[] = {
        { "locale de_CH", "locale de_CH" },
        { "orientation landscape", "orientation landscape" },
        { "keyboard type=3 layout=qwertz", "keyboard type=3 layout=QWERTZ" },
        { "keyboard", "keyboard" },
        { "settings gesture=2 type=1", "settings type=1 gesture=2" },
        { "settings gesture=-4", "settings gesture=-4" },
        { "keyplane numbers-and-punctuation", "keyplane numbers-and-punctuation" },
        { "shift", "shift" },
        { "shiftlock", "shiftlock" },
        { "unshift", "unshift" },
        { R"(tap "\"")", R"(tap "\"")" },
        { R"(tap "#")", R"(tap "#")" },
        { R"(tap "")", R"(tap "")" },
        { R"(tap "\x01")", R"(tap "\x01")" },
        // Escaped on the wire, read back byte for byte.
        { "tap \"\xC2\x9B\xFF\"", R"(tap "\xC2\x9B\xFF")" },
        { "tap \xC2\x85", R"(tap "\xC2\x85")" },
        { "tap 12.5 -3", "tap 12.5 -3" },
        { R"(tap-text "Flick up")", R"(tap-text "Flick up")" },
        { R"(tap-beside "on a key" -12.5)", R"(tap-beside "on a key" -12.5)" },
        { R"(flick "#" 25.000001)", R"(flick "#" 25.000001)" },
        { R"(flick "a b")", R"(flick "a b" 30)" },
        { "slide q", "slide q 7" },
        { "drag q 1.5 -130.25 7", "drag q 1.5 -130.25 7" },
        { "drag q 1 2", "drag q 1 2 1" },
        { "drag-to more 5", "drag-to more 5 5" },
        { R"(drag-to shift "\"" 2)", R"(drag-to shift "\"" 2)" },
        { "press shift", "press shift" },
        { "move 0 -30", "move 0 -30" },
        // Written in exponent form, these would not read back.
        { "move 9999.5 -0.0000000000000000000001", "move 9999.5 -0.0000000000000000000001" },
        { "wait 0.000000000000000000001", "wait 0.000000000000000000001" },
        { "release", "release" },
        { "cancel", "cancel" },
        { "press h finger=2", "press h finger=2" },
        { "move 0 -30 finger=10", "move 0 -30 finger=10" },
        { "release finger=1", "release" },
        { "cancel finger=3", "cancel finger=3" },
        { R"(roll "Hi, \"7\"!")", R"(roll "Hi, \"7\"!")" },
        { "clear", "clear" },
        { R"(type "Où ça? 7\t")", R"(type "Où ça? 7\t")" },
        { "plan a1", R"(plan "a1")" },
        { R"(plan --roll "Hi")", R"(plan --roll "Hi")" },
        { R"(plan --cost time "Hi")", R"(plan --cost time "Hi")" },
        { R"(type --roll --cost touches "Hi")", R"(type --roll "Hi")" },
        // Alone, --cost is the text to type.
        { "type --cost", R"(type "--cost")" },
        { R"(type-line --sensitivity --roll --cost time "a")",
            R"(type-line --sensitivity --roll --cost time "a")" },
        // Alone, --roll is the text to type.
        { "type --roll", R"(type "--roll")" },
        { R"(type-line --roll "l'été")", R"(type-line --roll "l'été")" },
        { "expect text \"line\\none\\ttab \\\\ \\\"q\\\"\"",
            "expect text \"line\\none\\ttab \\\\ \\\"q\\\"\"" },
        { R"(expect alt Q "[")", R"(expect alt Q "[")" },
        { "expect setting type=1", "expect setting type=1" },
        { R"(expect screen-text "Slide up")", R"(expect screen-text "Slide up")" },
        { "print", "print" },
        { R"(snapshot "out dir/shot 1.png")", R"(snapshot "out dir/shot 1.png")" },
        { "app notes", "app notes" },
        { "back", "back" },
        { "pointer-down 10 20.5", "pointer-down 10 20.5" },
        { "pointer-move 10 -20.5", "pointer-move 10 -20.5" },
        { "pointer-up 0 0", "pointer-up 0 0" },
        { "pointer-down 10 20 finger=2", "pointer-down 10 20 finger=2" },
        { "list-keys", "list-keys" },
        { R"(keyboard-snapshot "/tmp/k.png")", "keyboard-snapshot /tmp/k.png" },
        { "render 1.75", "render 1.75" },
        { "quit", "quit" },
    };
    std::set<std::size_t> covered;
    for (const Trip& trip : trips) {
        ScriptCommand original = parseOne(trip.line, ScriptSyntax::HostProtocol);
        std::string sent = writeScriptCommand(original);
        EXPECT_EQ(sent, trip.written) << trip.line;
        ScriptCommand received = parseOne(sent, ScriptSyntax::HostProtocol);
        EXPECT_EQ(received.index(), original.index()) << sent;
        EXPECT_EQ(writeScriptCommand(received), sent);
        covered.insert(original.index());
    }
    EXPECT_EQ(covered.size(), std::variant_size_v<ScriptCommand>) << "a command without a line here";
}

} // namespace
