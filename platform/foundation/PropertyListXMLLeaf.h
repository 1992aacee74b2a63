#pragma once

#include "platform/foundation/ErrorOr.h"

#include <string_view>

// The text of an XML property list's numbers, dates and data, checked before
// the parser reads it. The parser is lenient: it reads "12abc" as 12, a date
// that does not exist (or is no date) as some other one, and skips what is
// not base64, so a list saved again would hold other values than the ones it
// was given. A value is taken only when it reads exactly. Private to the
// platform library.
namespace xml_leaf {

// Whether the element's text is checked here: integer, real, date, data.
bool isChecked(std::string_view element);

// The text between <element> and </element>, whitespace around it allowed.
ErrorOr<void> check(std::string_view element, std::string_view text);

} // namespace xml_leaf
