#pragma once

#include "platform/foundation/ErrorOr.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a host answers for one line typed into its emptied field, as the
// lines of its reply: how it went, the touches it took, and the field's text
// (or, for an untypable line, the character that made it so). Spoken only
// between `corvane-sim type` and its host.
struct TypedLine {
    enum class Result { Typed, Untypable, Astray };

    Result result { Result::Typed };
    std::size_t touches { 0 };
    std::string fieldText;
    // For Untypable the character, for Astray what the keyboard did.
    std::string detail;
    // The touches' time under each model the line was timed with, in ms.
    std::vector<std::int64_t> milliseconds;

    std::vector<std::string> toReply() const;
    static ErrorOr<TypedLine> fromReply(const std::vector<std::string>& reply);
};
