#include "keyboard/KeyplaneRows.h"

#include "keyboard/KeyboardModel.h"

KeyplaneRows::KeyplaneRows(NSObject* keyplane)
{
    NSMutableArray* parts = send(keyplane, sel::subtrees);
    for (std::size_t part = 0; part < countOf(parts); ++part) {
        // The keyplane's look has no key set and so no rows.
        NSMutableArray* rows = send(send(elementAt(parts, part).object(), sel::keySet), sel::subtrees);
        for (std::size_t row = 0; row < countOf(rows); ++row) {
            if (NSMutableArray* keys = send(elementAt(rows, row).object(), sel::subtrees))
                m_rows.emplace_back(keys);
        }
    }
}

NSObject* KeyplaneRows::keyAt(std::size_t position) const
{
    for (const RefPtr<NSMutableArray>& row : m_rows) {
        if (position < row->count())
            return row->objectAtIndex(position).object();
        position -= row->count();
    }
    return nullptr;
}
