#include "JournalModel.h"

#include "JournalCsv.h"

#include "printing/LabelParts.h"

#include <algorithm>

namespace tagwright::journal {

namespace {

// The columns the database can order by; the others sort as the entry number does.
JournalOrder orderOf(int column)
{
    switch (column) {
    case JournalModel::PrintedAt: return JournalOrder::PrintedAt;
    case JournalModel::Registration: return JournalOrder::Registration;
    case JournalModel::Template: return JournalOrder::Template;
    case JournalModel::Destination: return JournalOrder::Destination;
    case JournalModel::Result: return JournalOrder::Result;
    default: return JournalOrder::Number;
    }
}

QString firstLine(const QString& body)
{
    const qsizetype end = body.indexOf(u'\r');
    const qsizetype feed = body.indexOf(u'\n');
    qsizetype cut = end < 0 ? feed : (feed < 0 ? end : std::min(end, feed));
    return cut < 0 ? body : body.left(cut) + QStringLiteral(" ...");
}

// The name under the signature line with the certificate after it, as the label printed it.
QString signedBy(const printing::LabelContent& label)
{
    if (!label.printsSignature)
        return {};
    return printing::signOffLine(label.signatory, printing::certificateText(label.certificateKind, label.certificateNumber));
}

}  // namespace

JournalModel::JournalModel(Journal& journal, QObject* parent)
    : QAbstractTableModel(parent), m_journal(journal)
{
}

JournalPage JournalModel::page(int offset, int limit) const
{
    return {m_order, m_descending, limit, offset};
}

void JournalModel::setFilter(const JournalFilter& filter)
{
    m_filter = filter;
    reload();
}

JournalFilter JournalModel::paged() const
{
    JournalFilter bounded = m_filter;
    // An empty journal: no entry is numbered 0, and a bound of 0 would be none.
    bounded.numberAtMost = std::max<qint64>(m_bound, 1);
    return bounded;
}

QVector<JournalEntry> JournalModel::notYetListed(const QVector<JournalEntry>& entries)
{
    QVector<JournalEntry> fresh;
    for (const JournalEntry& entry : entries) {
        if (!m_listed.contains(entry.number)) {
            m_listed.insert(entry.number);
            fresh.append(entry);
        }
    }
    return fresh;
}

QVector<qint64> JournalModel::recentNumbers()
{
    JournalFilter recent;
    recent.numberAbove = std::max<qint64>(0, m_newestSeen - LateMargin);
    QVector<qint64> numbers;
    m_error = m_journal.numbers(recent, numbers);
    return numbers;
}

void JournalModel::reload()
{
    beginResetModel();
    m_entries.clear();
    m_listed.clear();
    m_known.clear();
    m_paged = 0;
    m_total = 0;
    m_added = 0;
    m_more = false;
    m_error = m_journal.newestNumber(m_bound);
    m_newestSeen = m_bound;
    QVector<JournalEntry> first;
    if (m_error.ok()) {
        for (qint64 number : recentNumbers())
            m_known.insert(number);
    }
    if (m_error.ok()) {
        store::Result<QVector<JournalEntry>> found = m_journal.find(paged(), page(0, PageSize));
        m_error = found.error();
        if (found)
            first = std::move(found).value();
    }
    // Counted as all that pass less those above the bound: a count over a range of numbers
    // would read every entry of a long journal, while these two read an index or a few rows.
    qint64 above = 0;
    JournalFilter newer = m_filter;
    newer.numberAbove = m_bound;
    if (m_error.ok())
        m_error = m_journal.count(m_filter, m_total);
    if (m_error.ok())
        m_error = m_journal.count(newer, above);
    m_total -= above;
    m_paged = int(first.size());
    m_more = m_error.ok() && first.size() == PageSize;
    m_entries = notYetListed(first);
    endResetModel();
}

void JournalModel::refresh()
{
    // Nothing counts as seen until it is listed: a read that fails is made again next time.
    const QVector<qint64> recent = recentNumbers();
    if (!m_error.ok())
        return;
    QSet<qint64> arrived;
    for (qint64 number : recent) {
        if (!m_known.contains(number))
            arrived.insert(number);
    }
    QVector<JournalEntry> printed;
    if (!arrived.isEmpty()) {
        JournalFilter since = m_filter;
        since.numberAbove = *std::min_element(arrived.cbegin(), arrived.cend()) - 1;
        store::Result<QVector<JournalEntry>> found = m_journal.find(since, {JournalOrder::Number, true});
        if (m_error = found.error(); !found)
            return;
        printed = std::move(found).value();
    }
    for (qint64 number : arrived)
        m_known.insert(number);
    if (!recent.isEmpty())
        m_newestSeen = std::max(m_newestSeen, recent.last());
    // What fell out of the window can no longer come late.
    const qint64 floor = m_newestSeen - LateMargin;
    m_known.removeIf([floor](qint64 number) { return number <= floor; });
    // Entries that were there at the reload but sort further down come with their page.
    printed.removeIf([&arrived](const JournalEntry& entry) { return !arrived.contains(entry.number); });
    const QVector<JournalEntry> fresh = notYetListed(printed);
    if (fresh.isEmpty())
        return;
    beginInsertRows({}, 0, int(fresh.size()) - 1);
    m_entries = fresh + m_entries;
    m_added += fresh.size();
    endInsertRows();
}

store::Result<QVector<JournalEntry>> JournalModel::allShown() const
{
    return m_journal.find(m_filter, page(0, -1));
}

int JournalModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const JournalEntry& e = m_entries[index.row()];
    if (role == Qt::ToolTipRole && index.column() == Body)
        return e.request.label.body;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Number:
        return e.facts.repeats >= 0 ? QStringLiteral("%1 (of %2)").arg(e.number).arg(e.facts.repeats)
                              : QString::number(e.number);
    case PrintedAt: return csv::localTime(e);
    case Registration: return e.registration();
    case Make: return e.line(Slot::Make).value;
    case Template: return e.facts.templateTitle;
    case Body: return firstLine(e.request.label.body);
    case SignedBy: return signedBy(e.request.label);
    case RepairStation: return e.request.label.printsCompany ? e.request.label.company.repairStation : QString();
    case Destination: return e.destination;
    case Result: return e.result;
    default: return {};
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[ColumnCount] = {"Entry", "Printed", "Reg #", "Make", "Template",
                                                    "Body", "Signed by", "Station", "Printed to", "Result"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

void JournalModel::sort(int column, Qt::SortOrder order)
{
    m_order = orderOf(column);
    m_descending = order == Qt::DescendingOrder;
    reload();
}

bool JournalModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_more;
}

void JournalModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    // A page that cannot be read now (a file another program is writing, a server gone for
    // a moment) is read when the view asks again.
    store::Result<QVector<JournalEntry>> found = m_journal.find(paged(), page(m_paged, PageSize));
    if (m_error = found.error(); !found)
        return;
    const QVector<JournalEntry> next = std::move(found).value();
    m_paged += int(next.size());
    m_more = next.size() == PageSize;
    const QVector<JournalEntry> fresh = notYetListed(next);
    if (fresh.isEmpty())
        return;
    beginInsertRows({}, int(m_entries.size()), int(m_entries.size() + fresh.size() - 1));
    m_entries += fresh;
    endInsertRows();
}

}  // namespace tagwright::journal
