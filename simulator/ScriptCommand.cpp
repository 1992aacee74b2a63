#include "simulator/ScriptCommand.h"

#include <charconv>

namespace {

// Plain decimals, as the parser reads them: a very large or very small
// number would otherwise come out in exponent form, which no host could read.
std::string formatNumber(double number)
{
    // Room for the longest fixed form of a double (a subnormal: 0.000…, 340 characters).
    char buffer[512];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), number, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string_view commandWord(ScriptCommandKind kind)
{
    switch (kind) {
    case ScriptCommandKind::Locale:
        return "locale";
    case ScriptCommandKind::Orientation:
        return "orientation";
    case ScriptCommandKind::Keyboard:
        return "keyboard";
    case ScriptCommandKind::Settings:
        return "settings";
    case ScriptCommandKind::Keyplane:
        return "keyplane";
    case ScriptCommandKind::Shift:
        return "shift";
    case ScriptCommandKind::ShiftLock:
        return "shiftlock";
    case ScriptCommandKind::Unshift:
        return "unshift";
    case ScriptCommandKind::Tap:
    case ScriptCommandKind::TapPoint:
        return "tap";
    case ScriptCommandKind::TapText:
        return "tap-text";
    case ScriptCommandKind::TapBeside:
        return "tap-beside";
    case ScriptCommandKind::Flick:
        return "flick";
    case ScriptCommandKind::Slide:
        return "slide";
    case ScriptCommandKind::Drag:
        return "drag";
    case ScriptCommandKind::Press:
        return "press";
    case ScriptCommandKind::Move:
        return "move";
    case ScriptCommandKind::Release:
        return "release";
    case ScriptCommandKind::Cancel:
        return "cancel";
    case ScriptCommandKind::Wait:
        return "wait";
    case ScriptCommandKind::Clear:
        return "clear";
    case ScriptCommandKind::ExpectText:
    case ScriptCommandKind::ExpectAlt:
    case ScriptCommandKind::ExpectSetting:
    case ScriptCommandKind::ExpectScreenText:
        return "expect";
    case ScriptCommandKind::Print:
        return "print";
    case ScriptCommandKind::Snapshot:
        return "snapshot";
    case ScriptCommandKind::App:
        return "app";
    case ScriptCommandKind::Back:
        return "back";
    case ScriptCommandKind::PointerDown:
        return "pointer-down";
    case ScriptCommandKind::PointerMove:
        return "pointer-move";
    case ScriptCommandKind::PointerUp:
        return "pointer-up";
    case ScriptCommandKind::ListKeys:
        return "list-keys";
    case ScriptCommandKind::KeyboardSnapshot:
        return "keyboard-snapshot";
    case ScriptCommandKind::Render:
        return "render";
    case ScriptCommandKind::Quit:
        return "quit";
    }
    return "?";
}

std::string quoteScriptString(std::string_view text)
{
    std::string quoted = "\"";
    for (char character : text) {
        switch (character) {
        case '\n':
            quoted += "\\n";
            break;
        case '\t':
            quoted += "\\t";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        default:
            quoted += character;
        }
    }
    return quoted + "\"";
}

std::string scriptWord(std::string_view text)
{
    bool isPlain = !text.empty() && text.find_first_of(" \t\r\n\"\\#") == std::string_view::npos;
    return isPlain ? std::string(text) : quoteScriptString(text);
}

std::string ScriptCommand::toLine() const
{
    std::string written(commandWord(kind));
    auto add = [&written](std::string_view part) {
        written += ' ';
        written += part;
    };
    switch (kind) {
    case ScriptCommandKind::Locale:
    case ScriptCommandKind::Orientation:
    case ScriptCommandKind::Keyplane:
    case ScriptCommandKind::Snapshot:
    case ScriptCommandKind::KeyboardSnapshot:
    case ScriptCommandKind::App:
        add(scriptWord(name));
        break;
    case ScriptCommandKind::Keyboard:
        if (keyboardType)
            add("type=" + std::to_string(*keyboardType));
        if (layout)
            add("layout=" + *layout);
        break;
    case ScriptCommandKind::Settings:
        if (typeMode)
            add("type=" + std::to_string(*typeMode));
        if (gesture)
            add("gesture=" + std::to_string(*gesture));
        break;
    case ScriptCommandKind::Tap:
    case ScriptCommandKind::Press:
        add(scriptWord(key));
        break;
    case ScriptCommandKind::Flick:
    case ScriptCommandKind::Slide:
        add(scriptWord(key));
        add(formatNumber(y));
        break;
    case ScriptCommandKind::Drag:
        add(scriptWord(key));
        add(formatNumber(x));
        add(formatNumber(y));
        add(std::to_string(steps));
        break;
    case ScriptCommandKind::TapPoint:
    case ScriptCommandKind::Move:
    case ScriptCommandKind::PointerDown:
    case ScriptCommandKind::PointerMove:
    case ScriptCommandKind::PointerUp:
        add(formatNumber(x));
        add(formatNumber(y));
        break;
    case ScriptCommandKind::Wait:
        add(formatNumber(x));
        break;
    case ScriptCommandKind::TapText:
        add(quoteScriptString(text));
        break;
    case ScriptCommandKind::TapBeside:
        add(quoteScriptString(text));
        add(formatNumber(x));
        break;
    case ScriptCommandKind::ExpectText:
        add("text");
        add(quoteScriptString(text));
        break;
    case ScriptCommandKind::ExpectAlt:
        add("alt");
        add(scriptWord(key));
        add(quoteScriptString(text));
        break;
    case ScriptCommandKind::ExpectSetting:
        add("setting");
        add(name + "=" + std::to_string(value));
        break;
    case ScriptCommandKind::ExpectScreenText:
        add("screen-text");
        add(quoteScriptString(text));
        break;
    case ScriptCommandKind::Shift:
    case ScriptCommandKind::ShiftLock:
    case ScriptCommandKind::Unshift:
    case ScriptCommandKind::Release:
    case ScriptCommandKind::Cancel:
    case ScriptCommandKind::Clear:
    case ScriptCommandKind::Print:
    case ScriptCommandKind::Back:
    case ScriptCommandKind::ListKeys:
    case ScriptCommandKind::Render:
    case ScriptCommandKind::Quit:
        break;
    }
    return written;
}
