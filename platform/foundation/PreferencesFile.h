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
// them. Updates are made under a lock, never write a file the readers would
// refuse, and never destroy one they refused: it is kept under a new name
// beside the new one, with the few refused before it.
class PLATFORM_EXPORT PreferencesFile {
public:
    PreferencesFile() = delete;

    // A preferences file holds a few settings; the largest file accepted
    // loads in about a millisecond (bench/: settingsLoad).
    static constexpr PropertyList::Limits limits { 64 * 1024, 32, 2048 };
    // Refused files kept beside the preferences file, newest first:
    // "<file>.refused", "<file>.refused-2", "<file>.refused-3".
    static constexpr int keptRefusedFiles = 3;

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
    // that every update of the file takes, so that processes updating
    // different keys keep each other's changes. The lock is the hidden file
    // ".<name>.lock" beside it, which only the folder's owner can open. A
    // change that would make a file the readers refuse is an error, and the
    // file stays as it was.
    static ErrorOr<Update> update(const std::string& path, const Change& change);
    // The lock file of the preferences file at `path`.
    static std::string lockPath(const std::string& path);
};
