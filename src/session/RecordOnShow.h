#pragma once

#include "TemplateValues.h"

#include "store/StoreBackend.h"

namespace tagwright::store {
class TableCursor;
}

namespace tagwright::session {

// The template the card shows: which stored record it is (identity and the version that was
// read) and the values it was shown with. Commands act on this record and no other: a cursor
// that has moved on, or stands on a record it could not read, is not where they act.
class RecordOnShow {
public:
    // Takes the record the cursor stands on as shown; a record the cursor could not read, or
    // none at all (an empty table, a new record being added), leaves no stored record on show.
    void take(const store::TableCursor& templates);
    void clear() { *this = RecordOnShow(); }

    bool stored() const { return m_key.id >= 0; }
    const store::RecordKey& key() const { return m_key; }
    const TemplateValues& values() const { return m_values; }

    // True when the cursor stands on this very record, read without error, in the version
    // that was shown.
    bool isCurrentIn(const store::TableCursor& templates) const;

private:
    store::RecordKey m_key;
    TemplateValues m_values;
};

}  // namespace tagwright::session
