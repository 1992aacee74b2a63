#pragma once

#include "keyboard/ExtensionState.h"
#include "platform/graphics/CGImage.h"
#include "platform/runtime/RefPtr.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class NSObject;

// Everything besides the keyplane itself that changes a keyplane's drawn
// picture. Each value is read afresh at every drawing, so a picture made under
// other values is never shown; what cannot be read cheaply (the keys' strings
// and alternates) is summed up by the generation, which moves whenever a key
// loop rewrites a key.
struct KeyplanePictureConditions {
    std::uint64_t keysGeneration;
    CGFloat width;
    CGFloat height;
    CGFloat scale;
    bool landscape;
    // Key views drawn within the platform's drawing still see the
    // orientation of the drawing before.
    bool landscapeOfLastDrawing;
    bool shifted;
    bool shiftLocked;
    bool showAlternateLabels;
    bool shiftLockedAlternates;
    TypeMode typeMode;
    Gesture gesture;
    KeyboardKind kind;
    int localeChanges;

    // The conditions of a drawing of a view of this size at this scale.
    static KeyplanePictureConditions current(CGSize viewSize, CGFloat scale, bool landscape);
    friend bool operator==(const KeyplanePictureConditions&, const KeyplanePictureConditions&) = default;
};

// The whole drawn pictures of the last few keyplanes shown, most recent
// first. A keyboard shows a handful of keyplanes, so a few pictures serve
// every switch between them; the least recently shown one makes room, and a
// picture made under conditions that do not come back goes that way too.
class KeyplaneImageCache {
public:
    static KeyplaneImageCache& shared();

    // Nothing when no picture of the keyplane under these conditions is kept.
    CGImageRef pictureFor(NSObject* keyplane, const KeyplanePictureConditions& conditions);
    void keepPicture(NSObject* keyplane, const KeyplanePictureConditions& conditions, CGImageRef picture);
    void clear();

    std::size_t count() const { return m_entries.size(); }
    // Drawings served from a kept picture since the last clear.
    unsigned hits() const { return m_hits; }
    // The pixels the kept pictures hold.
    std::size_t bytes() const;

    // Letters small, capital and shift-locked, numbers and symbols: the
    // pictures a user goes between without leaving the keyboard.
    static constexpr std::size_t capacity = 5;

private:
    struct Entry {
        // Held so that a new keyplane cannot come to the same address and be
        // taken for this one.
        RefPtr<NSObject> keyplane;
        KeyplanePictureConditions conditions;
        CGImageRef picture;
    };
    std::vector<Entry> m_entries;
    unsigned m_hits { 0 };
};
