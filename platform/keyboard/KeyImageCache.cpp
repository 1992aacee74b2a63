#include "platform/keyboard/KeyImageCache.h"

KeyImageCache& KeyImageCache::shared()
{
    static KeyImageCache cache;
    return cache;
}

CGImageRef KeyImageCache::imageForKey(const NSString& cacheKey)
{
    auto found = m_images.find(cacheKey);
    if (found == m_images.end()) {
        ++m_misses;
        return nullptr;
    }
    ++m_hits;
    return found->second;
}

void KeyImageCache::setImage(const NSString& cacheKey, CGImageRef image)
{
    if (m_images.size() >= capacity)
        m_images.clear();
    m_images[cacheKey] = std::move(image);
}

void KeyImageCache::clear()
{
    m_images.clear();
    m_hits = 0;
    m_misses = 0;
}
