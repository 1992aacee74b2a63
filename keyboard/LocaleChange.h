#pragma once

class NSObject;

// The currency signs follow the current locale. They are filled into the
// letter tables once; when the platform announces a new current locale the
// fill is due again, and every keyplane has its keys processed once more at
// its next switch, so that the keys show and type the new signs.
void observeLocaleChanges();

// The first time a keyplane is shown under a new locale, takes away its
// keys' marks of earlier processing, so that the switch processes them all.
void forgetProcessingUnderEarlierLocale(NSObject* keyplane);
