#pragma once

#include "platform/foundation/ErrorOr.h"

#include <map>
#include <string>

// The extension's settings file in the booted device, written the way the
// settings pane writes it: the keys given over what the file holds (under
// the update's lock, a file nobody can read kept beside), atomically, then
// the change notification on the Darwin centre.
class SettingsFile {
public:
    static std::string path();
    // An error says why the file cannot be written; then nothing is posted.
    static ErrorOr<void> store(const std::map<std::string, int>& values);
    // The integer stored under the key; an error says what was found instead.
    static ErrorOr<int> read(const std::string& key);
};
