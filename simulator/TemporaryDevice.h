#pragma once

#include <optional>
#include <string>

// A throw-away copy of a device root: its deliverables and files, without
// the settings file or any socket, so that a run starts from the defaults and
// changes nothing in the original. Removed when the object goes.
class TemporaryDevice {
public:
    // Nothing, with the reason in error, when the copy cannot be made.
    static std::optional<TemporaryDevice> copyOf(const std::string& deviceRoot, std::string& error);

    TemporaryDevice(TemporaryDevice&& other) noexcept;
    TemporaryDevice& operator=(TemporaryDevice&&) = delete;
    ~TemporaryDevice();

    const std::string& root() const { return m_root; }

private:
    explicit TemporaryDevice(std::string root);
    std::string m_root;
};
