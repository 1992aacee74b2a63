#pragma once

#include "platform/foundation/ErrorOr.h"

#include <string>

// A throw-away copy of what a run needs of a device root: the folders the
// platform loads add-ons from, with their folders, files and links. Nothing
// else is copied (the settings file, kept refused files, sockets, whatever
// else lies there, readable or not), so that a run starts from the defaults
// and changes nothing in the original. Removed when the object goes.
class TemporaryDevice {
public:
    // An error says why the copy cannot be made.
    static ErrorOr<TemporaryDevice> copyOf(const std::string& deviceRoot);

    TemporaryDevice(TemporaryDevice&& other) noexcept;
    TemporaryDevice& operator=(TemporaryDevice&&) = delete;
    ~TemporaryDevice();

    const std::string& root() const { return m_root; }

private:
    explicit TemporaryDevice(std::string root);
    std::string m_root;
};
