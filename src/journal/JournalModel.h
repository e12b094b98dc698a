#pragma once

#include "Journal.h"

#include <QAbstractTableModel>
#include <QSet>

namespace tagwright::journal {

// The journal's entries as a table for a view: filtered and sorted by the database, read a
// page at a time as the view scrolls, so that a long journal opens at once.
//
// The list stays still while entries are printed here or on other workstations: its pages
// hold the entries numbered up to the newest at the last reload, and refresh() adds the
// ones printed since at the top, each once; no row moves, repeats or goes. On a server,
// entries may arrive slightly out of number order (two workstations printing at once), so
// refresh() takes as new every number it has not known before among the last LateMargin
// below the newest, and a page never lists an entry the list already holds.
class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Number, PrintedAt, Registration, Make, Template, Body, SignedBy, RepairStation, Destination,
        Result, ColumnCount
    };
    static constexpr int PageSize = 200;
    static constexpr int LateMargin = 100;

    explicit JournalModel(Journal& journal, QObject* parent = nullptr);

    // Reads the first page of the entries that pass `filter`; the error of the last read,
    // if any, stays in lastError().
    void setFilter(const JournalFilter& filter);
    const JournalFilter& filter() const { return m_filter; }
    // Reads the list anew: the first page, in the order chosen.
    void reload();
    // Adds the entries printed since that pass the filter at the top, newest first.
    void refresh();
    // How many entries pass the filter: those listed and those still to be read.
    qint64 total() const { return m_total + m_added; }
    store::StoreError lastError() const { return m_error; }

    const JournalEntry& entryAt(int row) const { return m_entries[row]; }
    // Every entry that passes the filter, in the order shown, not only the pages read.
    store::Result<QVector<JournalEntry>> allShown() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    JournalPage page(int offset, int limit) const;
    // The filter with the pages' bound.
    JournalFilter paged() const;
    // The entry numbers above the newest seen less LateMargin; the error stays in m_error.
    QVector<qint64> recentNumbers();
    // `entries` without those the list already holds, which are noted as held.
    QVector<JournalEntry> notYetListed(const QVector<JournalEntry>& entries);

    Journal& m_journal;
    JournalFilter m_filter;
    JournalOrder m_order = JournalOrder::Number;
    bool m_descending = true;   // the newest first
    QVector<JournalEntry> m_entries;
    QSet<qint64> m_listed;      // the numbers of m_entries
    qint64 m_bound = 0;         // the pages hold entries numbered up to this
    qint64 m_newestSeen = 0;    // the highest number any read has seen
    QSet<qint64> m_known;       // numbers near the newest that were there or are listed
    int m_paged = 0;            // rows the pages gave, where the next page starts
    qint64 m_total = 0;         // entries up to the bound that pass the filter
    qint64 m_added = 0;         // entries refresh() added
    bool m_more = false;
    store::StoreError m_error;
};

}  // namespace tagwright::journal
