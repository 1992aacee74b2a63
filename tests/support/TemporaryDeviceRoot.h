#pragma once

#include <string>

// A fresh, empty device root in the temporary folder, removed with
// everything in it when the object goes. While it is active it is the
// platform's device root.
class TemporaryDeviceRoot {
public:
    TemporaryDeviceRoot();
    TemporaryDeviceRoot(const TemporaryDeviceRoot&) = delete;
    TemporaryDeviceRoot& operator=(const TemporaryDeviceRoot&) = delete;
    ~TemporaryDeviceRoot();

    const std::string& path() const { return m_path; }
    // Makes this the platform's device root (a new one is made active at once).
    void activate() const;
    // The device-absolute path inside this root, with its folders created.
    std::string preparedPath(const std::string& deviceAbsolutePath) const;

private:
    std::string m_path;
};
