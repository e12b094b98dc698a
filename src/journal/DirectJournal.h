#pragma once

#include "EntrySink.h"

#include "store/Database.h"

#include <functional>

namespace tagwright::journal {

// Writes each entry at once and says how it went: for a program that ends after printing
// (tagwright-cli). Entries go on `shared` when it is open (the connection the command read
// its label through, in one transaction each), else on a database `open` opens the first
// time an entry comes.
class DirectJournal : public EntrySink {
public:
    using Open = std::function<store::StoreError(store::Database&)>;
    explicit DirectJournal(Open open, store::Database* shared = nullptr)
        : m_open(std::move(open)), m_shared(shared)
    {
    }

    store::StoreError begin(JournalEntry& entry) override;
    store::StoreError settle(const JournalEntry& entry, const QString& result) override;

private:
    Open m_open;
    store::Database* m_shared;
    store::Database m_own;
    store::Database* m_database = nullptr;
};

}  // namespace tagwright::journal
