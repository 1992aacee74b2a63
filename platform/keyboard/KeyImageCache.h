#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGImage.h"

#include <map>

// Rendered key images, kept by the key view's cache key, so an unchanged key
// is painted from its image instead of being drawn again.
class PLATFORM_EXPORT KeyImageCache {
public:
    static KeyImageCache& shared();

    // Nothing when no image is kept for the key; counts hits and misses.
    CGImageRef imageForKey(const NSString& cacheKey);
    void setImage(const NSString& cacheKey, CGImageRef image);
    void clear();

    std::size_t count() const { return m_images.size(); }
    bool contains(const NSString& cacheKey) const { return m_images.contains(cacheKey); }
    unsigned hits() const { return m_hits; }
    unsigned misses() const { return m_misses; }

    // More images than a few keyboards' worth start the cache afresh.
    static constexpr std::size_t capacity = 2048;

private:
    std::map<NSString, CGImageRef> m_images;
    unsigned m_hits { 0 };
    unsigned m_misses { 0 };
};
