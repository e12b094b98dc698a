#pragma once

#include "Journal.h"

#include <QAbstractTableModel>

namespace tagwright::journal {

// The journal's entries as a table for a view: filtered and sorted by the database, read a
// page at a time as the view scrolls, so that a long journal opens at once.
class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Number, PrintedAt, Registration, Make, Template, Body, SignedBy, RepairStation, Destination,
        Result, ColumnCount
    };
    static constexpr int PageSize = 200;

    explicit JournalModel(Journal& journal, QObject* parent = nullptr);

    // Reads the first page of the entries that pass `filter`; the error of the last read,
    // if any, stays in lastError().
    void setFilter(const JournalFilter& filter);
    const JournalFilter& filter() const { return m_filter; }
    void reload();
    store::StoreError lastError() const { return m_error; }

    const JournalEntry& entryAt(int row) const { return m_entries[row]; }
    // Every entry that passes the filter, in the order shown, not only the pages read.
    store::StoreError allShown(QVector<JournalEntry>& entries) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    JournalPage page(int offset, int limit) const;

    Journal& m_journal;
    JournalFilter m_filter;
    JournalOrder m_order = JournalOrder::Number;
    bool m_descending = true;   // the newest first
    QVector<JournalEntry> m_entries;
    bool m_more = false;
    store::StoreError m_error;
};

}  // namespace tagwright::journal
