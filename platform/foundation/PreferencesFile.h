#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/ErrorOr.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyList.h"

#include <functional>
#include <string>

// A preferences file: a property-list dictionary that one program updates and
// others read on their main threads whenever it changes. Readers take far
// less than a general property list, so that no file they accept stalls
// them. Updates are made under a lock and never destroy a file the readers
// refused: it is kept under a new name beside the new one.
class PLATFORM_EXPORT PreferencesFile {
public:
    PreferencesFile() = delete;

    // A preferences file holds a few settings; the largest file accepted
    // loads in about a millisecond (bench/: settingsLoad).
    static constexpr PropertyList::Limits limits { 64 * 1024, 32, 2048 };

    enum class State { Absent, Read, Refused };
    struct Contents {
        State state { State::Absent };
        // The file's dictionary when it was read, otherwise an empty one.
        RefPtr<NSMutableDictionary> dictionary;
        // Why a refused file was not taken, with its path.
        std::string problem;
    };
    static Contents read(const std::string& path);

    struct Update {
        // What the file holds now.
        RefPtr<NSMutableDictionary> dictionary;
        // What was there before.
        Contents found;
        // Where a refused file now is; empty when none was found.
        std::string keptAs;
    };
    // Makes the new dictionary from what the file holds at this moment.
    using Change = std::function<RefPtr<NSMutableDictionary>(const Contents& found)>;
    // Reads the file, changes it and writes it atomically, all under a lock
    // that every update of a file in the same folder takes, so that processes
    // updating different keys keep each other's changes.
    static ErrorOr<Update> update(const std::string& path, const Change& change);
};
