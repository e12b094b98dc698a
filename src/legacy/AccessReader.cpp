#include "AccessReader.h"

#include "AccessHeader.h"

#include <QFile>
#include <QFileInfo>

#include <mdbtools.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace tagwright::legacy {

namespace {

constexpr int MemoHeaderSize = 12;           // length and flags, then where the text lives
constexpr quint32 MemoInline = 0x80000000;   // the text follows the header in the row
constexpr quint32 MemoOnePage = 0x40000000;  // the text fills one row of another page
constexpr quint32 MemoLengthMask = 0x3fffffff;
constexpr int RowOffsetMask = 0x1fff;
constexpr int RowDeleted = 0x4000;
constexpr unsigned char DataPage = 0x01;

// Failures while reading stop the whole file: a shop's records are copied whole or not at all.
struct Damaged {
    QString what;
};

AccessColumn::Kind kindOf(int type)
{
    switch (type) {
    case MDB_TEXT: return AccessColumn::Kind::Text;
    case MDB_MEMO: return AccessColumn::Kind::Memo;
    case MDB_BOOL: return AccessColumn::Kind::Boolean;
    case MDB_BYTE: return AccessColumn::Kind::Byte;
    case MDB_INT: return AccessColumn::Kind::Integer;
    case MDB_LONGINT: return AccessColumn::Kind::LongInteger;
    case MDB_FLOAT: return AccessColumn::Kind::Single;
    case MDB_DOUBLE: return AccessColumn::Kind::Double;
    default: return AccessColumn::Kind::Other;
    }
}

struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

// Reads one file's rows. libmdb is left to find pages, rows and fields; the values are
// taken from the row bytes here, so a missing value is told from an empty text, a memo of
// any length arrives whole, and numbers keep their exact stored value.
class Reader {
public:
    Reader(MdbHandle* mdb, qint64 fileSize) : m_mdb(mdb), m_fileSize(fileSize) {}

    AccessTable readTable(MdbTableDef* table, const std::function<void()>& rowRead);

private:
    QVariant value(const MdbColumn& column, const MdbField& field);
    QString text(const char* bytes, qsizetype size) const;
    QString memo(int start, int size);
    QByteArray longValueRow(qint32 pageRow);
    QVector<QVariant> readRow(MdbTableDef* table, std::vector<MdbField>& fields);
    const char* pageBytes(int start, int size) const;

    MdbHandle* m_mdb;
    qint64 m_fileSize;
    qint64 m_memoBytes = 0;
};

const char* Reader::pageBytes(int start, int size) const
{
    if (start < 0 || size < 0 || start + qint64(size) > m_mdb->fmt->pg_size)
        throw Damaged{QStringLiteral("a row reaches past its page")};
    return reinterpret_cast<const char*>(m_mdb->pg_buf) + start;
}

// Jet 4 and later store text as UTF-16, optionally "compressed": after the marker FF FE,
// runs of one-byte characters (U+0000 to U+00FF) alternate with UTF-16 runs at each 00 byte.
// Jet 3 stores the Windows code page, which libmdb converts.
QString Reader::text(const char* bytes, qsizetype size) const
{
    // An empty text is present, not missing: a null QString would be stored as missing.
    if (size == 0)
        return QString(u""_s);
    if (IS_JET3(m_mdb)) {
        std::vector<char> converted(std::size_t(size) * 3 + 16);
        const int length = mdb_unicode2ascii(m_mdb, bytes, std::size_t(size), converted.data(),
                                             converted.size());
        return QString::fromUtf8(converted.data(), qMax(0, length));
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    if (size >= 2 && data[0] == 0xff && data[1] == 0xfe) {
        QString result;
        result.reserve(size);
        bool compressed = true;
        for (qsizetype i = 2; i < size;) {
            if (data[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                result.append(QChar(data[i++]));
            } else if (i + 1 < size) {
                result.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
                i += 2;
            } else {
                throw Damaged{QStringLiteral("a text ends in half a character")};
            }
        }
        return result;
    }
    if (size % 2 != 0)
        throw Damaged{QStringLiteral("a text ends in half a character")};
    QString result(size / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < size / 2; ++i)
        result[i] = QChar(char16_t(data[2 * i] | (data[2 * i + 1] << 8)));
    return result;
}

// A row of a long-value page, where memo texts that do not fit their row live. The pointer
// in the memo header names the page and the row; both are checked against the page itself,
// so a damaged pointer cannot hand one template's text to another.
QByteArray Reader::longValueRow(qint32 pageRow)
{
    const quint32 page = quint32(pageRow) >> 8;
    const int row = pageRow & 0xff;
    const int pageSize = m_mdb->fmt->pg_size;
    if (page == 0 || qint64(page) * pageSize >= m_fileSize
        || mdb_read_alt_pg(m_mdb, page) != ssize_t(pageSize))
        throw Damaged{QStringLiteral("a memo points to a missing page")};
    const auto* bytes = static_cast<const unsigned char*>(m_mdb->alt_pg_buf);
    if (bytes[0] != DataPage || std::memcmp(bytes + 4, "LVAL", 4) != 0)
        throw Damaged{QStringLiteral("a memo points to page %1, which holds no memo text").arg(page)};
    const int countAt = m_mdb->fmt->row_count_offset;
    const int rows = bytes[countAt] | (bytes[countAt + 1] << 8);
    if (row >= rows)
        throw Damaged{QStringLiteral("a memo points to row %1 of page %2, which has %3 rows").arg(row).arg(page).arg(rows)};
    auto offsetAt = [&](int index) { return bytes[countAt + 2 + 2 * index] | (bytes[countAt + 3 + 2 * index] << 8); };
    const int start = offsetAt(row);
    const int end = row == 0 ? pageSize : offsetAt(row - 1) & RowOffsetMask;
    const int first = start & RowOffsetMask;
    if ((start & RowDeleted) || first < countAt + 2 + 2 * rows || first > end || end > pageSize)
        throw Damaged{QStringLiteral("a memo points to a damaged or deleted row of page %1").arg(page)};
    return QByteArray(reinterpret_cast<const char*>(bytes) + first, end - first);
}

QString Reader::memo(int start, int size)
{
    if (size < MemoHeaderSize)
        throw Damaged{QStringLiteral("a memo field is cut short")};
    const quint32 header = quint32(mdb_get_int32(m_mdb->pg_buf, start));
    const qint32 firstRow = qint32(mdb_get_int32(m_mdb->pg_buf, start + 4));
    const quint32 expected = header & MemoLengthMask;
    QByteArray bytes;
    if (header & MemoInline) {
        bytes = QByteArray(pageBytes(start + MemoHeaderSize, size - MemoHeaderSize),
                           size - MemoHeaderSize);
    } else if (header & MemoOnePage) {
        bytes = longValueRow(firstRow);
    } else if ((header & 0xff000000) == 0) {
        // A chain of pages, each row starting with the next link. A chain that loops or
        // stops early is damage, not a shorter text.
        const qint64 pages = m_fileSize / m_mdb->fmt->pg_size + 1;
        qint32 link = firstRow;
        for (qint64 hops = 0; link != 0 && quint32(bytes.size()) < expected; ++hops) {
            const QByteArray row = hops > pages ? QByteArray() : longValueRow(link);
            if (row.size() <= 4)
                throw Damaged{QStringLiteral("a memo's page chain is broken")};
            link = qint32(mdb_get_int32(const_cast<char*>(row.constData()), 0));
            bytes.append(row.constData() + 4, row.size() - 4);
        }
    } else {
        throw Damaged{QStringLiteral("a memo field has unknown flags")};
    }
    // The header's length is written with the text: any difference is damage on one side.
    if (quint32(bytes.size()) != expected)
        throw Damaged{QStringLiteral("a memo holds %1 bytes but says %2").arg(bytes.size()).arg(expected)};
    // Every memo byte lives in the file once; more than that means rows share damaged links.
    m_memoBytes += bytes.size();
    if (m_memoBytes > 2 * m_fileSize)
        throw Damaged{QStringLiteral("memo fields claim more text than the file holds")};
    return text(bytes.constData(), bytes.size());
}

QVariant Reader::value(const MdbColumn& column, const MdbField& field)
{
    // A Yes/No value is kept in the row's null mask: a set bit ("present") means Yes.
    if (column.col_type == MDB_BOOL)
        return QVariant(!field.is_null);
    if (field.is_null)
        return QVariant();
    auto fixed = [&](int width) {
        if (field.siz != width)
            throw Damaged{QStringLiteral("field \"%1\" has the wrong size").arg(QString::fromUtf8(column.name))};
        pageBytes(field.start, width);
        return m_mdb->pg_buf;
    };
    switch (column.col_type) {
    case MDB_BYTE: return QVariant(int(mdb_get_byte(fixed(1), field.start)));
    case MDB_INT: return QVariant(int(qint16(mdb_get_int16(fixed(2), field.start))));
    case MDB_LONGINT: return QVariant(int(qint32(mdb_get_int32(fixed(4), field.start))));
    case MDB_FLOAT: return QVariant(mdb_get_single(fixed(4), field.start));
    case MDB_DOUBLE: return QVariant(mdb_get_double(fixed(8), field.start));
    case MDB_TEXT:
        // A text never holds more bytes than its column's definition allows.
        if (field.siz > column.col_size)
            throw Damaged{QStringLiteral("field \"%1\" is longer than its column").arg(QString::fromUtf8(column.name))};
        return QVariant(text(pageBytes(field.start, field.siz), field.siz));
    case MDB_MEMO: return QVariant(memo(field.start, field.siz));
    default: break;
    }
    // Types the label tables never use (dates, money, ...): libmdb's own text for them.
    pageBytes(field.start, field.siz);
    char* converted = mdb_col_to_string(m_mdb, m_mdb->pg_buf, field.start, column.col_type, field.siz);
    const QString result = QString::fromUtf8(converted ? converted : "");
    g_free(converted);
    return result;
}

QVector<QVariant> Reader::readRow(MdbTableDef* table, std::vector<MdbField>& fields)
{
    // mdb_fetch_row has just cracked this row of the page in pg_buf without telling
    // missing from empty values; crack it again to read the real null flags.
    int start = 0;
    size_t size = 0;
    if (table->cur_row == 0 || mdb_find_row(m_mdb, int(table->cur_row - 1), &start, &size) != 0)
        throw Damaged{QStringLiteral("the row cannot be found again")};
    start &= RowOffsetMask;
    const int count = mdb_crack_row(table, start, size, fields.data());
    if (count < int(table->num_cols))
        throw Damaged{QStringLiteral("the row holds fewer fields than the table")};
    QVector<QVariant> row(int(table->num_cols));
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        const int columnNumber = fields[i].colnum;
        if (columnNumber < 0 || columnNumber >= int(table->num_cols))
            throw Damaged{QStringLiteral("the row names a field the table does not have")};
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, columnNumber));
        row[columnNumber] = value(*column, fields[i]);
    }
    return row;
}

AccessTable Reader::readTable(MdbTableDef* table, const std::function<void()>& rowRead)
{
    AccessTable result;
    result.name = QString::fromUtf8(table->name);
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        result.columns.append({QString::fromUtf8(column->name), kindOf(column->col_type)});
    }
    std::vector<MdbField> fields(table->num_cols);
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        try {
            result.rows.append(readRow(table, fields));
        } catch (const Damaged& damage) {
            throw Damaged{QStringLiteral("table \"%1\", row %2: %3").arg(result.name).arg(result.rows.size() + 1).arg(damage.what)};
        }
        rowRead();
    }
    // libmdb passes over rows and pages it cannot make sense of; the table definition's
    // count tells a damaged table from a short one.
    if (result.rows.size() != qsizetype(table->num_rows))
        throw Damaged{QStringLiteral("table \"%1\" holds %2 rows, of which %3 could be read")
                          .arg(result.name).arg(table->num_rows).arg(result.rows.size())};
    return result;
}

// The bytes a fixed-width value takes, or 0 for variable-width kinds.
int fixedWidth(int type)
{
    switch (type) {
    case MDB_BYTE: return 1;
    case MDB_INT: return 2;
    case MDB_LONGINT: case MDB_FLOAT: return 4;
    case MDB_DOUBLE: case MDB_MONEY: case MDB_DATETIME: return 8;
    default: return 0;
    }
}

// A table definition's columns must agree with its column count and with their own types:
// a changed byte there would otherwise read every row's values from the wrong place.
void checkColumns(MdbTableDef* table, int pageSize)
{
    const QString name = QString::fromUtf8(table->name);
    std::vector<bool> numbered(table->num_cols, false);
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        const auto damaged = [&](const QString& what) {
            return Damaged{QStringLiteral("table \"%1\", column \"%2\": %3").arg(name, QString::fromUtf8(column->name), what)};
        };
        if (column->col_num < 0 || column->col_num >= int(table->num_cols) || numbered[column->col_num])
            throw damaged(QStringLiteral("its number does not fit the table's %1 columns").arg(table->num_cols));
        numbered[column->col_num] = true;
        const int width = fixedWidth(column->col_type);
        const bool variable = column->col_type == MDB_TEXT || column->col_type == MDB_MEMO;
        if ((width > 0 && (!column->is_fixed || column->col_size != width)) || (variable && column->is_fixed))
            throw damaged(QStringLiteral("its size or layout does not fit its type"));
        if (column->col_type == MDB_TEXT && (column->col_size <= 0 || column->col_size > pageSize))
            throw damaged(QStringLiteral("its length is impossible"));
        if (!column->is_fixed && column->var_col_num >= table->num_var_cols)
            throw damaged(QStringLiteral("it does not fit the table's %1 variable columns").arg(table->num_var_cols));
    }
}

QString describe(const QString& path, const QString& what)
{
    return QStringLiteral("The Access file %1 cannot be read: %2.").arg(QFileInfo(path).absoluteFilePath(), what);
}

}  // namespace

int AccessTable::columnIndex(const QString& column) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const AccessTable* AccessContents::table(const QString& name) const
{
    for (const AccessTable& table : tables) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

AccessContents readAccessFile(const QString& path, const ReadProgress& progress)
{
    AccessContents contents;
    const AccessHeader header = readAccessHeader(path);
    if (header.unreadable) {
        contents.error = describe(path, QFileInfo::exists(path) ? QStringLiteral("the file cannot be opened")
                                                                : QStringLiteral("there is no such file"));
        return contents;
    }
    if (!header.isAccess()) {
        contents.error = describe(path, QStringLiteral("it is not an Access database file"));
        return contents;
    }
    if (header.hasPassword) {
        contents.error = describe(path, QStringLiteral("it is protected by a password; remove the "
                                                       "password in Access first"));
        return contents;
    }
    // Access files are whole pages (2 KB for Jet 3, 4 KB after); a cut file would otherwise
    // read as a file with fewer tables or rows.
    const qint64 fileSize = QFileInfo(path).size();
    const qint64 pageSize = header.format == AccessHeader::Format::Jet3 ? 2048 : 4096;
    if (fileSize < 2 * pageSize || fileSize % pageSize != 0) {
        contents.error = describe(path, QStringLiteral("the file is damaged (it is cut short)"));
        return contents;
    }
    Handle mdb(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb) {
        contents.error = describe(path, QStringLiteral("libmdb cannot open it (damaged or encrypted)"));
        return contents;
    }
    try {
        if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
            throw Damaged{QStringLiteral("its list of tables is damaged")};
        std::vector<Table> tables;
        qint64 total = 0;
        for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type != MDB_TABLE || mdb_is_system_table(entry))
                continue;
            // The column definitions are read from the page mdb_read_table leaves loaded.
            Table table(mdb_read_table(entry));
            if (!table || !mdb_read_columns(table.get()) || table->num_cols == 0 || !table->columns
                || table->columns->len != table->num_cols)
                throw Damaged{QStringLiteral("table \"%1\" is damaged").arg(QString::fromUtf8(entry->object_name))};
            checkColumns(table.get(), mdb->fmt->pg_size);
            total += table->num_rows;
            tables.push_back(std::move(table));
        }
        qint64 done = 0;
        Reader reader(mdb.get(), fileSize);
        for (const Table& table : tables) {
            contents.tables.append(reader.readTable(table.get(), [&] {
                ++done;
                if (progress)
                    progress(done, qMax(done, total));
            }));
        }
    } catch (const Damaged& damage) {
        contents.tables.clear();
        contents.error = describe(path, QStringLiteral("the file is damaged (%1)").arg(damage.what));
    }
    return contents;
}

}  // namespace tagwright::legacy
