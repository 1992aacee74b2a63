#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"

// A web address. URLWithString: answers nothing (a nil URL) for a missing
// string or one with characters a URL cannot hold, such as spaces.
class PLATFORM_EXPORT NSURL {
public:
    NSURL() = default;
    static NSURL URLWithString(const NSString& string);

    bool isNil() const { return m_string.isNil(); }
    explicit operator bool() const { return !isNil(); }
    const NSString& absoluteString() const { return m_string; }
    // The part before the first ":", or nothing when there is none.
    NSString scheme() const;

private:
    explicit NSURL(NSString string)
        : m_string(std::move(string))
    {
    }
    NSString m_string;
};
