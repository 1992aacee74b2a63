#pragma once

#include "simulator/ScriptText.h"

#include <string>

// What went wrong on which line of which script, written the way compilers
// write it so that editors can jump there: "FILE:LINE: message".
struct ScriptError {
    std::string file;
    int line { 0 };
    std::string message;

    std::string format() const
    {
        return escapeControlCharacters(file) + ":" + std::to_string(line) + ": " + message;
    }
};
