#pragma once

#include "tests/settings/PipeSignal.h"

// The body of an application process: the injection loader puts the keyboard
// extension from the device root into it, its text field brings up the
// platform's keyboard, and on every settings change it makes the same short
// upward gesture on "q" (12 points: past a slide, short of a flick) and
// answers 'S' when that typed the alternate "1" (Slide up), 'F' when it typed
// "q" (Flick up), 'X' otherwise. It answers once before any change, and ends
// when told to. The answer to a failed start is 'L'.
int runExtensionKeyboardProcess(const PipeSignal& answers, const PipeSignal& quit);
