#include "DirectJournal.h"

#include "Journal.h"

namespace tagwright::journal {

void stampBegun(JournalEntry& entry)
{
    entry.number = -1;
    entry.printedAt = QDateTime::currentDateTimeUtc();
    entry.workstation = Journal::thisWorkstation();
    entry.user = Journal::thisUser();
}

store::StoreError DirectJournal::begin(JournalEntry& entry)
{
    stampBegun(entry);
    if (!m_database.isOpen()) {
        if (store::StoreError error = m_open(m_database); !error.ok())
            return error;
    }
    return Journal(m_database).begin(entry);
}

store::StoreError DirectJournal::settle(const JournalEntry& entry, const QString& result)
{
    return Journal(m_database).settle(entry.number, result);
}

}  // namespace tagwright::journal
