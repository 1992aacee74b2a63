#pragma once

#include "platform/foundation/ErrorOr.h"
#include "simulator/CommandLine.h"

#include <string>
#include <vector>

// The lines of a text file as `corvane-sim type` types them: split at line
// feeds, one carriage return before a line feed dropped; a final line feed
// ends the last line rather than starting an empty one.
std::vector<std::string> linesOfText(const std::string& text);

// Reads the file `corvane-sim type` was given ("-": standard input); a clear
// error when it cannot.
ErrorOr<std::string> readTextFile(const std::string& path);

// corvane-sim type: types the lines into the test app's field on a copy of
// the device, reports progress on standard error and the totals on standard
// output, and answers the exit status.
int typeLines(
    const CommandLine& commandLine, const std::vector<std::string>& lines, const std::string& deviceRoot);
