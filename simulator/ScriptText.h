#pragma once

#include <string>
#include <string_view>

// How the script language writes text, and how anything a script or a
// person gave is echoed: control characters never reach a terminal raw.

// The text with \n, \t, \r, \\ and every other control character (as \xHH,
// a C1 control as the two bytes of its UTF-8 form) escaped, and every byte
// that is not part of well-formed UTF-8 as \xHH, without quotes.
std::string escapeControlCharacters(std::string_view text);

// A string in the script language's quotes: the escapes above and \".
std::string quoteScriptString(std::string_view text);

// A plain word as it stands, anything else in quotes: how a script would write it.
std::string scriptWord(std::string_view text);

// One character for a message: its code point and itself, quoted
// ("U+2192 \"→\""); bytes that are not one UTF-8 character only quoted.
std::string describeCharacter(std::string_view character);

// Plain decimals, as the parser reads them: never exponent form.
std::string formatScriptNumber(double number);
