#pragma once

#include "platform/foundation/NSString.h"

#include <string_view>

// Whether the bytes are well-formed UTF-8: no stray or missing continuation
// bytes, overlong forms, surrogates or values beyond U+10FFFF.
bool isValidUTF8(std::string_view bytes);

// The string itself when its UTF-8 is well-formed, else the same text with
// each ill-formed sequence replaced by U+FFFD, as the platform reads it when
// it counts UTF-16 units; so that ranges and text shaping agree.
NSString withValidUTF8(const NSString& string);
