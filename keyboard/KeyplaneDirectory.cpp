#include "keyboard/KeyplaneDirectory.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/KeyboardModel.h"

#include <array>
#include <optional>
#include <vector>

namespace {

// Names searched for, made once: every keyplane switch tests them.
const NSString& alphabeticPart()
{
    static const NSString part("-Alphabetic-");
    return part;
}
const NSString& lettersPart()
{
    static const NSString part("Letters");
    return part;
}
const NSString& punctuationPart()
{
    static const NSString part("Punctuation");
    return part;
}

// The first key set of the keyplane that names a layout decides it.
LetterLayout layoutNamedByKeySets(NSObject* keyplane)
{
    static const std::vector<std::pair<NSString, LetterLayout>> layoutNames = [] {
        std::vector<std::pair<NSString, LetterLayout>> names;
        for (const PhysicalLayout& physical : physicalLayouts())
            names.emplace_back(NSString(physical.keySetWord), physical.layout);
        return names;
    }();
    NSMutableArray* subtrees = send(keyplane, sel::subtrees);
    for (std::size_t index = 0; index < countOf(subtrees); ++index) {
        NSObject* keySet = send(elementAt(subtrees, index).object(), sel::keySet);
        if (!keySet)
            continue;
        NSString keySetName = send(keySet, sel::unhashedName);
        for (const auto& [name, layout] : layoutNames) {
            if (nameContains(keySetName, name))
                return layout;
        }
    }
    return physicalLayouts().front().layout;
}

struct KnownKeyplane {
    WeakPtr<NSObject> layoutController;
    NSString name;
    WeakPtr<NSObject> keyplane;
    KeyplaneClassification classification;
    std::optional<LetterLayout> layout;

    bool isFor(NSObject* controller, const NSString& keyplaneName) const
    {
        return layoutController.get() == controller && keyplane && name.isEqualToString(keyplaneName);
    }
    bool isGone() const { return !layoutController || !keyplane; }
};

// A keyboard has a handful of keyplanes; room for a few keyboards at a time.
// A place whose controller or keyplane is gone is taken first, else each
// place in turn, so the directory never grows.
constexpr std::size_t directorySize = 16;

struct Directory {
    std::array<KnownKeyplane, directorySize> places;
    std::size_t nextReplaced { 0 };
    // The place of the keyplane found last: the one the layout detection
    // that follows the switch is asked about.
    KnownKeyplane* lastFound { nullptr };

    KnownKeyplane* find(NSObject* controller, const NSString& name)
    {
        for (KnownKeyplane& place : places) {
            if (place.isFor(controller, name))
                return &place;
        }
        return nullptr;
    }

    KnownKeyplane& freePlace()
    {
        for (KnownKeyplane& place : places) {
            if (place.isGone())
                return place;
        }
        KnownKeyplane& oldest = places[nextReplaced];
        nextReplaced = (nextReplaced + 1) % directorySize;
        return oldest;
    }
};

Directory& directory()
{
    static Directory known;
    return known;
}

} // namespace

KeyplaneClassification classifyKeyplane(NSObject* keyplane)
{
    NSString componentName = send(keyplane, sel::componentName);
    return {
        .alphabetic = nameContains(send(keyplane, sel::unhashedName), alphabeticPart()),
        .letters = nameContains(componentName, lettersPart()),
        .punctuation = nameContains(componentName, punctuationPart()),
    };
}

bool isLettersKeyplane(NSObject* keyplane)
{
    return nameContains(send(keyplane, sel::componentName), lettersPart());
}

bool isPunctuationKeyplane(NSObject* keyplane)
{
    return nameContains(send(keyplane, sel::componentName), punctuationPart());
}

FoundKeyplane findKeyplane(NSObject* layoutController, const NSString& name)
{
    Directory& known = directory();
    known.lastFound = nullptr;
    if (!extension.gKeyplaneMemo) {
        NSObject* keyplane = send(layoutController, sel::keyplaneNamed, name);
        return { keyplane, classifyKeyplane(keyplane) };
    }
    if (KnownKeyplane* place = known.find(layoutController, name)) {
        known.lastFound = place;
        return { place->keyplane.get(), place->classification };
    }
    NSObject* keyplane = send(layoutController, sel::keyplaneNamed, name);
    KeyplaneClassification classification = classifyKeyplane(keyplane);
    // A name that finds nothing now may find a keyplane later; it is not remembered.
    if (keyplane && layoutController) {
        KnownKeyplane& place = known.freePlace();
        place = { layoutController, name, keyplane, classification, std::nullopt };
        known.lastFound = &place;
    }
    return { keyplane, classification };
}

LetterLayout detectKeyboardLayout()
{
    NSObject* shownKeyplane = send(activeLayoutController(), sel::keyplane);
    KnownKeyplane* place = directory().lastFound;
    if (!place || place->keyplane.get() != shownKeyplane)
        return layoutNamedByKeySets(shownKeyplane);
    if (!place->layout)
        place->layout = layoutNamedByKeySets(shownKeyplane);
    return *place->layout;
}

void forgetFoundKeyplanes()
{
    directory() = Directory();
}
