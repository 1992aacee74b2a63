#pragma once

#include "platform/foundation/NSMutableArray.h"
#include "platform/runtime/RefPtr.h"

#include <cstddef>
#include <vector>

class NSObject;

// The keys of a keyplane read row by row from its tree, in the order of its
// `keys`: each subtree's key set, then that key set's rows. The platform
// builds and keeps a keyplane's key list the first time it is asked for it;
// a keyplane the extension only looks into, such as a shift-alternate one on
// a first switch, need not have that list made for a few of its keys.
class KeyplaneRows {
public:
    // No rows for a missing keyplane.
    explicit KeyplaneRows(NSObject* keyplane);

    // The key at that position among all the keyplane's keys; nothing past the last.
    NSObject* keyAt(std::size_t position) const;

    template <typename Visit> void forEachKey(Visit&& visit) const
    {
        for (const RefPtr<NSMutableArray>& row : m_rows) {
            for (const Value& key : *row)
                visit(key.object());
        }
    }

private:
    std::vector<RefPtr<NSMutableArray>> m_rows;
};
