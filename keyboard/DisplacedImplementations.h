#pragma once

// The platform's implementation that a replacement stands in for, kept when
// the replacement is installed so that it can call the one it displaced.
// One that could not be replaced stays nothing, and calling nothing answers
// nothing. Each replacement has its own, of its own type:
// callImplementation(gDisplaced<touchUpReplacement>, layoutController, touch).
template <auto Replacement> inline decltype(Replacement) gDisplaced = nullptr;
