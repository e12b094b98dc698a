#include "JournalModel.h"

#include "JournalCsv.h"

#include "printing/LabelParts.h"

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
QString signedBy(const JournalEntry& e)
{
    if (!e.signatureLine)
        return {};
    return printing::signOffLine(e.signatory, printing::certificateText(e.certificateKind, e.certificateNumber));
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

void JournalModel::reload()
{
    beginResetModel();
    m_error = m_journal.find(m_filter, page(0, PageSize), m_entries);
    m_more = m_error.ok() && m_entries.size() == PageSize;
    endResetModel();
}

store::StoreError JournalModel::allShown(QVector<JournalEntry>& entries) const
{
    return m_journal.find(m_filter, page(0, -1), entries);
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
        return e.body;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Number:
        return e.repeats >= 0 ? QStringLiteral("%1 (of %2)").arg(e.number).arg(e.repeats)
                              : QString::number(e.number);
    case PrintedAt: return csv::localTime(e);
    case Registration: return e.registration();
    case Make: return e.line(Slot::Make).value;
    case Template: return e.templateTitle;
    case Body: return firstLine(e.body);
    case SignedBy: return signedBy(e);
    case RepairStation: return e.companyBlock ? e.repairStation : QString();
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
    QVector<JournalEntry> next;
    m_error = m_journal.find(m_filter, page(int(m_entries.size()), PageSize), next);
    m_more = m_error.ok() && next.size() == PageSize;
    if (next.isEmpty())
        return;
    beginInsertRows({}, int(m_entries.size()), int(m_entries.size() + next.size() - 1));
    m_entries += next;
    endInsertRows();
}

}  // namespace tagwright::journal
