#pragma once

#include "platform/PlatformExport.h"

#include <exception>
#include <string>
#include <vector>

// The platform's exception: a name, a reason and the call stack where it was
// raised, so that an uncaught-exception handler can log where it came from.
class PLATFORM_EXPORT NSException : public std::exception {
public:
    NSException(std::string name, std::string reason);

    const std::string& name() const { return m_name; }
    const std::string& reason() const { return m_reason; }
    std::string description() const { return m_reason; }
    const std::vector<std::string>& callStackSymbols() const { return m_callStackSymbols; }
    const char* what() const noexcept override { return m_reason.c_str(); }

private:
    std::string m_name;
    std::string m_reason;
    std::vector<std::string> m_callStackSymbols;
};

PLATFORM_EXPORT inline constexpr const char* NSInvalidArgumentException = "NSInvalidArgumentException";
