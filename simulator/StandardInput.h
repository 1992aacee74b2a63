#pragma once

#include "platform/foundation/ErrorOr.h"

#include <cstddef>
#include <string>

// The name a person gives for standard input instead of a file, as `run -`.
inline constexpr const char* standardInputName = "-";

// Reads standard input to its end, at most maxBytes; more is an error, so a
// stream without an end never fills the memory.
ErrorOr<std::string> readStandardInput(std::size_t maxBytes);
