#pragma once

// The values the platform's keyboard gives meaning to, for whoever reads its
// keys and key views through messages.

// How a key shows and acts, its "displayType". Character keys are 0 and 8
// (8 for keys whose string is fixed by the keyboard type, such as the e-mail
// keyboard's "@", which the keyplane draws through key views); the others
// are the function keys.
enum UIKBKeyDisplayType : int {
    UIKBKeyDisplayTypeString = 0,
    UIKBKeyDisplayTypeShift = 1,
    UIKBKeyDisplayTypeDelete = 2,
    UIKBKeyDisplayTypeMore = 3,
    UIKBKeyDisplayTypeInternational = 4,
    UIKBKeyDisplayTypeSpace = 5,
    UIKBKeyDisplayTypeReturn = 6,
    UIKBKeyDisplayTypeDynamicString = 8,
};

// "KBdisplayTypeHint" values: 6 draws the key in the light style, 5000 marks
// a key that shows no character of its own (the ".com" key).
inline constexpr int UIKBDisplayTypeHintLightStyle = 6;
inline constexpr int UIKBDisplayTypeHintNoAugmentation = 5000;

// "popup-bias" in a key's cache: where the pop-up's head sits for keys at the
// keyboard's edges.
inline constexpr int UIKBPopupBiasRightEdge = 21;
inline constexpr int UIKBPopupBiasLeftEdge = 29;

// States of a key view.
enum UIKBKeyViewState : int {
    // The enlarged pop-up above a pressed key.
    UIKBKeyViewStatePopup = 1,
    // The key cap as it sits on the keyplane.
    UIKBKeyViewStateCap = 4,
};
