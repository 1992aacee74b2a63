#pragma once

#include <string>
#include <vector>

// The hidden mode of corvane-sim in which it is one app's process: it boots
// the device, answers whether that worked, then carries out the driver's
// commands one line at a time until the driver closes the socket.
int runHostProcess(const std::vector<std::string>& arguments);
