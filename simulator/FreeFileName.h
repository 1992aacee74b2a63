#pragma once

#include "platform/foundation/ErrorOr.h"

#include <string>

// Makes the first file PREFIXN.SUFFIX, counting N up from `from`, that does
// not exist yet, and answers its path: the file is created empty and only
// then named, so that nothing already there is ever replaced, even by another
// process choosing at the same moment. The caller fills it or removes it.
ErrorOr<std::string> createNextFreeFile(const std::string& prefix, const std::string& suffix, int& from);
