#pragma once

class NSObject;
class NSMutableDictionary;

// A key that shows a character the extension augments: present, of display
// type 0 or 8, and not marked off with the display-type hint 5000 (an absent
// hint reads as 0). Every replacement that acts on keys uses this test.
bool isEligibleKey(NSObject* key);

// The same test for a key whose property dictionary the caller has already
// fetched (nothing when the key has none).
bool isEligibleKey(NSObject* key, const NSMutableDictionary* properties);
