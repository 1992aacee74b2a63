#pragma once

#include <string>

// What `corvane-sim --version` prints: the version, the commit the build was
// made from (and whether the checkout had changes), and the build type.
std::string buildVersionText();
