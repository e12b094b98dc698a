#include "DirectJournal.h"

#include "Journal.h"

namespace tagwright::journal {

void stampHandedOver(JournalEntry& entry)
{
    entry.number = -1;
    entry.printedAt = QDateTime::currentDateTimeUtc();
    entry.workstation = Journal::thisWorkstation();
    entry.user = Journal::thisUser();
}

store::StoreError DirectJournal::record(JournalEntry entry)
{
    stampHandedOver(entry);
    if (!m_database.isOpen()) {
        if (store::StoreError error = m_open(m_database); !error.ok())
            return error;
    }
    return Journal(m_database).add(entry);
}

}  // namespace tagwright::journal
