#pragma once

#include <string>

// Tells when a file in one folder is written to (inotify), so that a test
// can wait for another process to reach a point instead of for a time.
class DirectoryWatch {
public:
    explicit DirectoryWatch(const std::string& folder);
    DirectoryWatch(const DirectoryWatch&) = delete;
    DirectoryWatch& operator=(const DirectoryWatch&) = delete;
    ~DirectoryWatch();

    // Waits until a file whose name starts with the prefix is written to, and
    // answers whether one was. The timeout only ends a test that has failed.
    bool waitForWriteTo(const std::string& namePrefix, double timeoutSeconds = 60);

private:
    int m_descriptor { -1 };
};
