#pragma once

#include "platform/graphics/CGGeometry.h"

#include <cstddef>
#include <string>

// The ways the typist touches one key, from the least effort to the most.
enum class TouchKind {
    // Down and up in the middle of the key.
    Tap,
    // Down in the middle, moved straight up past the slide distance (which
    // stays on the key), lifted.
    Slide,
    // The same, only past the flick distance.
    Flick,
    // Down on a keyplane key ("123", shift), which brings its keyplane up under
    // the finger, across to a key of that keyplane and lifted there: that key
    // is typed and the keyboard goes back.
    SlideOnto,
    // Held until the platform shows the key's variants, slid across to one, lifted.
    Variant,
};

// How the typist's touches follow each other: each lifted before the next
// goes down, or rolled as two thumbs type, each next key going down before
// the one before it comes up.
enum class TouchRhythm { OneAtATime, Rolled };

// What a plan of touches keeps to the least of: their number or their time.
enum class PlanCost { Touches, Time };

// Where a touch goes down and where it lifts, in the keyboard's points (the
// screen's, which differ only by an offset), the width of the key it goes
// down on, and the middle of the keyboard, which parts the two thumbs' halves.
struct TouchPath {
    CGPoint down;
    CGPoint lift;
    double keyWidth { 0 };
    double keyboardMiddle { 0 };
};

// One touch of planned typing: which key of the keyplane on screen (its
// position in the keyplane's key list), how, and for a variant which one.
struct KeyTouch {
    TouchKind kind { TouchKind::Tap };
    std::size_t key { 0 };
    std::size_t variant { 0 };
    // The key as scripts name it, and the variant's string, for people to read.
    std::string keyName;
    std::string variantText;
    // The keyplane the key was found on, where rolled typing looks it up
    // before the keys ahead of it have switched the keyboard there.
    std::string keyplane;
    // For SlideOnto, the key it ends on: its position in the list of the
    // keyplane that comes up, that keyplane, and its name.
    std::size_t target { 0 };
    std::string targetKeyplane;
    std::string targetName;
    // As it was made while the keyboard was explored.
    TouchPath path;

    // As a script line would say it: "tap a", "flick q", "variant e \"é\"",
    // "drag-to more 5".
    std::string description() const;
};
