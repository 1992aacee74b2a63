#pragma once

#include "platform/foundation/ErrorOr.h"
#include "simulator/typing/TouchTable.h"

class KeyboardHand;
class UITextField;

// Learns what the keyboard on screen does by touching it, as it is now: with
// whatever the extension (or nothing) made of its keys and under the
// settings in force. From the state the keyboard is in, every key of the
// keyplane shown is tapped, flicked, slid and held for each variant it
// offers, each keyplane key is slid onto every key of the keyplane it
// brings up, and what the field received and the state the keyboard went to
// are read back; each new state is then explored the same way, reached
// again each time by the touches that first led to it. Nothing of what the
// platform or the extension do on their own (a shift that ends after one
// letter, a keyplane that changes after a space) is assumed: it shows up in
// what is read back.
//
// For rolled typing, each touch that only changes the state (a shift or
// keyplane key) is also tried rolled together with every touch that can
// follow it. Where that pair does what the two touches do one after the
// other, the touch stays on its own; where it does not (a shift held down as
// the next key goes down shifts just that key), the touch is only used in
// those pairs, with what they were seen to do.
//
// The field's text is kept aside meanwhile and put back, and the keyboard is
// left in the state it started in. Delete, return and the international key
// are never touched: typing a line needs none of them.
ErrorOr<TouchTable> exploreKeyboard(KeyboardHand& hand, UITextField& field, TouchRhythm rhythm);

// Puts the keyboard in a state through the platform's own shift and keyplane
// messages, as a person's earlier touches would have.
void putKeyboardIn(const KeyboardState& state);
