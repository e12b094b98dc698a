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
    if (!m_database) {
        if (m_shared && m_shared->isOpen()) {
            m_database = m_shared;
        } else {
            if (store::StoreError error = m_open(m_own); !error.ok())
                return error;
            m_database = &m_own;
        }
    }
    return Journal(*m_database).add(entry);
}

store::StoreError DirectJournal::settle(const JournalEntry& entry, const QString& result)
{
    return Journal(*m_database).settle(entry.number, result);
}

}  // namespace tagwright::journal
