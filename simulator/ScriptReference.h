#pragma once

#include <string>

// The whole script language as `corvane-sim help script` prints it: every
// command with its arguments, what it does and an example, written from the
// language's own table, then the rules that hold for all of them.
std::string scriptLanguageReference();
