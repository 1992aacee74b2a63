#pragma once

// The platform is one shared library built with hidden visibility; what it
// offers to the deliverables and the simulator is marked with this.
#define PLATFORM_EXPORT __attribute__((visibility("default")))
