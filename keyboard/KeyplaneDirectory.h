#pragma once

#include "keyboard/ExtensionState.h"
#include "platform/foundation/NSString.h"

class NSObject;

// What a keyplane's names say about it.
struct KeyplaneClassification {
    bool alphabetic { false }; // its unhashedName contains "-Alphabetic-"
    bool letters { false }; // its componentName contains "Letters"
    bool punctuation { false }; // its componentName contains "Punctuation"
};

KeyplaneClassification classifyKeyplane(NSObject* keyplane);
bool isLettersKeyplane(NSObject* keyplane);
bool isPunctuationKeyplane(NSObject* keyplane);

// A keyplane the extension has been asked to switch to.
struct FoundKeyplane {
    NSObject* keyplane { nullptr };
    KeyplaneClassification classification;
};

// The keyplane the layout controller's keyplaneNamed: finds for the name, and
// its classification. A layout controller keeps its keyboard tree, and a
// keyplane its names, for as long as they live, so both are remembered for
// the next switch: looking them up again is most of what a repeated switch
// would cost the extension.
FoundKeyplane findKeyplane(NSObject* layoutController, const NSString& name);

// The physical layout named by the first key set of the keyplane the active
// keyboard shows (QWERTY when none names one), remembered for a keyplane
// found above.
LetterLayout detectKeyboardLayout();

// Forgets every keyplane found, so that each test starts afresh.
void forgetFoundKeyplanes();
