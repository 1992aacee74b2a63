#include "keyboard/KeyplaneImageCache.h"

#include "keyboard/KeyboardModel.h"

#include <algorithm>

KeyplanePictureConditions KeyplanePictureConditions::current(CGSize viewSize, CGFloat scale, bool landscape)
{
    NSObject* keyboard = activeKeyboardImpl();
    return {
        .keysGeneration = extension.keysGeneration,
        .width = viewSize.width,
        .height = viewSize.height,
        .scale = scale,
        .landscape = landscape,
        .landscapeOfLastDrawing = extension.gLandscape,
        .shifted = send(keyboard, sel::isShifted),
        .shiftLocked = send(keyboard, sel::isShiftLocked),
        .showAlternateLabels = extension.gShowAlternateLabels,
        .shiftLockedAlternates = extension.gShiftLockedAlternates,
        .typeMode = extension.gTypeMode,
        .gesture = extension.gFlickGesture,
        .kind = extension.keyboardKind,
        .localeChanges = extension.gLocaleChanges,
    };
}

KeyplaneImageCache& KeyplaneImageCache::shared()
{
    static KeyplaneImageCache cache;
    return cache;
}

CGImageRef KeyplaneImageCache::pictureFor(NSObject* keyplane, const KeyplanePictureConditions& conditions)
{
    auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
        return entry.keyplane.get() == keyplane && entry.conditions == conditions;
    });
    if (found == m_entries.end())
        return nullptr;
    // The most recently shown first, so that the oldest is the one let go.
    std::rotate(m_entries.begin(), found, found + 1);
    ++m_hits;
    return m_entries.front().picture;
}

void KeyplaneImageCache::keepPicture(
    NSObject* keyplane, const KeyplanePictureConditions& conditions, CGImageRef picture)
{
    if (m_entries.size() >= capacity)
        m_entries.pop_back();
    m_entries.insert(m_entries.begin(), Entry { RefPtr(keyplane), conditions, std::move(picture) });
}

void KeyplaneImageCache::clear()
{
    m_entries.clear();
    m_hits = 0;
}

std::size_t KeyplaneImageCache::bytes() const
{
    std::size_t total = 0;
    for (const Entry& entry : m_entries)
        total += CGImageGetWidth(entry.picture) * CGImageGetHeight(entry.picture) * 4;
    return total;
}
