#pragma once

#include "EntrySink.h"

#include "store/Database.h"

#include <functional>

namespace tagwright::journal {

// Writes each entry at once and says how it went, opening the database the first time an
// entry comes: for a program that ends after printing (tagwright-cli). A label's entry is
// in the journal, as "Printing", before the label is placed or sent.
class DirectJournal : public EntrySink {
public:
    using Open = std::function<store::StoreError(store::Database&)>;
    explicit DirectJournal(Open open) : m_open(std::move(open)) {}

    store::StoreError begin(JournalEntry& entry) override;
    store::StoreError settle(const JournalEntry& entry, const QString& result) override;

private:
    Open m_open;
    store::Database m_database;
};

}  // namespace tagwright::journal
