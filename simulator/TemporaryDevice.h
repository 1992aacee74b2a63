#pragma once

#include "platform/foundation/ErrorOr.h"

#include <string>

// A throw-away copy of a device root: its deliverables and files, without
// the settings file or any socket, so that a run starts from the defaults and
// changes nothing in the original. Removed when the object goes.
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
