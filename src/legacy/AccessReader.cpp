#include "AccessReader.h"

#include "AccessHeader.h"
#include "AccessText.h"
#include "KnownLayout.h"

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
constexpr int RowFlags = 0xc000;             // deleted, or a pointer to a row kept elsewhere
constexpr unsigned char DataPage = 0x01;
constexpr int FreeSpaceAt = 2;               // a data page's count of unused bytes
constexpr int OwnerAt = 4;                   // the table definition's page

// Failures while reading stop the whole file: a shop's records are copied whole or not at all.
struct Damaged {
    QString what;
};

int u16(const unsigned char* at) { return at[0] | (at[1] << 8); }
quint32 u32(const unsigned char* at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; }

int mdbType(KnownColumn::Type type)
{
    using Type = KnownColumn::Type;
    switch (type) {
    case Type::Text: return MDB_TEXT;
    case Type::Memo: return MDB_MEMO;
    case Type::Boolean: return MDB_BOOL;
    case Type::Integer: return MDB_INT;
    case Type::LongInteger: return MDB_LONGINT;
    case Type::Single: return MDB_FLOAT;
    }
    return -1;
}

AccessColumn::Kind kindOf(KnownColumn::Type type)
{
    using Type = KnownColumn::Type;
    switch (type) {
    case Type::Text: return AccessColumn::Kind::Text;
    case Type::Memo: return AccessColumn::Kind::Memo;
    case Type::Boolean: return AccessColumn::Kind::Boolean;
    case Type::Integer: return AccessColumn::Kind::Integer;
    case Type::LongInteger: return AccessColumn::Kind::LongInteger;
    case Type::Single: return AccessColumn::Kind::Single;
    }
    return AccessColumn::Kind::Other;
}

QString columnDamage(const KnownColumn& column, const QString& what)
{
    return QStringLiteral("column \"%1\": %2").arg(column.name, what);
}

struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

// Where one value of a row lies on the page in the page buffer.
struct Field {
    bool isNull = true;   // for Yes/No: the value is No
    int start = 0;
    int size = 0;
};

// Reads one known table's rows. libmdb reads the catalogue and the table definitions, and
// lists a table's pages; the rows are taken apart here against the known layout, each
// offset checked, so damage is refused instead of shifting values into other columns,
// and a missing value is told from an empty text, a memo of any length arrives whole,
// numbers keep their exact stored value.
class Reader {
public:
    Reader(MdbHandle* mdb, qint64 fileSize) : m_mdb(mdb), m_fileSize(fileSize) {}

    AccessTable readTable(MdbTableDef* table, const KnownTable& known, const std::function<void()>& rowRead);

private:
    void readPage(MdbTableDef* table, const KnownTable& known, AccessTable& result,
                  const std::function<void()>& rowRead);
    QVector<Field> rowFields(const KnownTable& known, int start, int size) const;
    QVector<Field> crackedFields(MdbTableDef* table);
    QVector<QVariant> rowValues(MdbTableDef* table, const KnownTable& known, const QVector<Field>& fields);
    QVariant value(const MdbColumn& column, const KnownColumn& known, const Field& field);
    QString text(const char* bytes, qsizetype size) const;
    QString memo(int start, int size);
    QByteArray longValueRow(qint32 pageRow);
    const char* pageBytes(int start, int size) const;
    const unsigned char* page() const { return static_cast<const unsigned char*>(m_mdb->pg_buf); }

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

// Jet 3 stores the Windows code page, which libmdb converts; later formats UTF-16.
QString Reader::text(const char* bytes, qsizetype size) const
{
    if (IS_JET3(m_mdb)) {
        if (size == 0)
            return QString(u""_s);
        std::vector<char> converted(std::size_t(size) * 3 + 16);
        const int length = mdb_unicode2ascii(m_mdb, bytes, std::size_t(size), converted.data(),
                                             converted.size());
        return QString::fromUtf8(converted.data(), qMax(0, length));
    }
    std::optional<QString> decoded = decodeJet4Text(reinterpret_cast<const unsigned char*>(bytes), size);
    if (!decoded)
        throw Damaged{QStringLiteral("its text ends in half a character or runs into the next field")};
    return *decoded;
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
    const int rows = u16(bytes + countAt);
    if (row >= rows || countAt + 2 + 2 * rows > pageSize)
        throw Damaged{QStringLiteral("a memo points to row %1 of page %2, which has %3 rows").arg(row).arg(page).arg(rows)};
    auto offsetAt = [&](int index) { return u16(bytes + countAt + 2 + 2 * index); };
    const int start = offsetAt(row);
    const int end = row == 0 ? pageSize : offsetAt(row - 1) & RowOffsetMask;
    const int first = start & RowOffsetMask;
    if ((start & RowFlags) || first < countAt + 2 + 2 * rows || first > end || end > pageSize)
        throw Damaged{QStringLiteral("a memo points to a damaged or deleted row of page %1").arg(page)};
    return QByteArray(reinterpret_cast<const char*>(bytes) + first, end - first);
}

QString Reader::memo(int start, int size)
{
    if (size < MemoHeaderSize)
        throw Damaged{QStringLiteral("a memo field is cut short")};
    const auto* header = reinterpret_cast<const unsigned char*>(pageBytes(start, MemoHeaderSize));
    const quint32 flags = u32(header);
    const qint32 firstRow = qint32(u32(header + 4));
    const quint32 expected = flags & MemoLengthMask;
    if (u32(header + 8) != 0)
        throw Damaged{QStringLiteral("a memo's header is damaged")};
    // The header says where the text is; the field's size must agree with it.
    const bool inRow = flags & MemoInline;
    if ((inRow && (quint32(size) != MemoHeaderSize + expected || firstRow != 0)) || (!inRow && size != MemoHeaderSize))
        throw Damaged{QStringLiteral("a memo's header does not fit the %1 bytes of its field").arg(size)};
    QByteArray bytes;
    if (inRow) {
        bytes = QByteArray(pageBytes(start + MemoHeaderSize, size - MemoHeaderSize), size - MemoHeaderSize);
    } else if (flags & MemoOnePage) {
        bytes = longValueRow(firstRow);
    } else if ((flags & 0xff000000) == 0) {
        // A chain of pages, each row starting with the next link. A chain that loops, stops
        // early or goes on past the length is damage, not a shorter or longer text.
        const qint64 pages = m_fileSize / m_mdb->fmt->pg_size + 1;
        qint32 link = firstRow;
        for (qint64 hops = 0; link != 0 && quint32(bytes.size()) < expected; ++hops) {
            const QByteArray row = hops > pages ? QByteArray() : longValueRow(link);
            if (row.size() <= 4)
                throw Damaged{QStringLiteral("a memo's page chain is broken")};
            link = qint32(u32(reinterpret_cast<const unsigned char*>(row.constData())));
            bytes.append(row.constData() + 4, row.size() - 4);
        }
        if (link != 0)
            throw Damaged{QStringLiteral("a memo's page chain goes on past its %1 bytes").arg(expected)};
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

QVariant Reader::value(const MdbColumn& column, const KnownColumn& known, const Field& field)
{
    // A Yes/No value is kept in the row's null mask: a set bit ("present") means Yes.
    if (known.type == KnownColumn::Type::Boolean)
        return QVariant(!field.isNull);
    if (field.isNull)
        return QVariant();
    auto fixed = [&](int width) {
        if (field.size != width)
            throw Damaged{QStringLiteral("it has the wrong size")};
        pageBytes(field.start, width);
        return m_mdb->pg_buf;
    };
    QString result;
    switch (known.type) {
    case KnownColumn::Type::Integer: return QVariant(int(qint16(mdb_get_int16(fixed(2), field.start))));
    case KnownColumn::Type::LongInteger: return QVariant(int(qint32(mdb_get_int32(fixed(4), field.start))));
    case KnownColumn::Type::Single: return QVariant(mdb_get_single(fixed(4), field.start));
    case KnownColumn::Type::Text:
        // A text never holds more bytes than its column's definition allows.
        if (field.size > column.col_size)
            throw Damaged{QStringLiteral("it is longer than its column")};
        result = text(pageBytes(field.start, field.size), field.size);
        if (result.size() > known.length)
            throw Damaged{QStringLiteral("it holds %1 characters, more than the %2 its column takes").arg(result.size()).arg(known.length)};
        break;
    case KnownColumn::Type::Memo: result = memo(field.start, field.size); break;
    case KnownColumn::Type::Boolean: break;
    }
    if (const QString why = unstorableCharacter(result, known.type == KnownColumn::Type::Memo); !why.isEmpty())
        throw Damaged{QStringLiteral("its text holds %1").arg(why)};
    return result;
}

QVector<QVariant> Reader::rowValues(MdbTableDef* table, const KnownTable& known, const QVector<Field>& fields)
{
    QVector<QVariant> row(known.columns.size());
    for (qsizetype i = 0; i < known.columns.size(); ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        try {
            row[i] = value(*column, known.columns[i], fields[i]);
        } catch (const Damaged& damage) {
            throw Damaged{columnDamage(known.columns[i], damage.what)};
        }
    }
    return row;
}

// A Jet 4 row: the column count, the fixed columns at their offsets, the variable columns,
// then backwards from the end the null mask, the count of variable columns and their start
// offsets (one more than there are, the last marking where they end). Every part is
// checked against the others and against the table's definition.
QVector<Field> Reader::rowFields(const KnownTable& known, int start, int size) const
{
    const auto* row = page() + start;
    const int columns = int(known.columns.size());
    const int variables = known.variableCount();
    const int fixedEnd = known.fixedSize();
    const int maskSize = (columns + 7) / 8;
    if (size < 2 + fixedEnd + 2 * (variables + 1) + 2 + maskSize)
        throw Damaged{QStringLiteral("it is too short for the table's columns")};
    if (u16(row) != columns)
        throw Damaged{QStringLiteral("it says it has %1 columns, the table has %2").arg(u16(row)).arg(columns)};
    const unsigned char* mask = row + size - maskSize;
    for (int bit = columns; bit < maskSize * 8; ++bit) {
        if (mask[bit / 8] & (1 << (bit % 8)))
            throw Damaged{QStringLiteral("its null mask marks columns the table does not have")};
    }
    if (u16(row + size - maskSize - 2) != variables)
        throw Damaged{QStringLiteral("it says it has %1 variable columns, the table has %2").arg(u16(row + size - maskSize - 2)).arg(variables)};
    const int offsetsAt = size - maskSize - 2 - 2 * (variables + 1);
    const auto offset = [&](int index) { return u16(row + size - maskSize - 4 - 2 * index); };
    if (offset(0) != 2 + fixedEnd)
        throw Damaged{QStringLiteral("its variable columns do not start where its fixed columns end")};
    for (int i = 0; i < variables; ++i) {
        if (offset(i + 1) < offset(i))
            throw Damaged{QStringLiteral("its table of variable columns is out of order")};
    }
    if (offset(variables) != offsetsAt)
        throw Damaged{QStringLiteral("its variable columns do not end where their table begins")};
    QVector<Field> fields(columns);
    int fixedAt = 2;
    for (int i = 0; i < columns; ++i) {
        const KnownColumn& column = known.columns[i];
        Field& field = fields[i];
        field.isNull = !(mask[i / 8] & (1 << (i % 8)));
        if (column.isVariable()) {
            const int variable = known.variableNumber(i);
            field.start = start + offset(variable);
            field.size = offset(variable + 1) - offset(variable);
            if (field.isNull && field.size != 0)
                throw Damaged{columnDamage(column, QStringLiteral("it is marked missing but holds %1 bytes").arg(field.size))};
        } else {
            field.start = start + fixedAt;
            field.size = column.fixedWidth();
            fixedAt += field.size;
        }
    }
    return fields;
}

// Jet 3 files: libmdb takes the row apart.
QVector<Field> Reader::crackedFields(MdbTableDef* table)
{
    int start = 0;
    size_t size = 0;
    if (table->cur_row == 0 || mdb_find_row(m_mdb, int(table->cur_row - 1), &start, &size) != 0)
        throw Damaged{QStringLiteral("the row cannot be found again")};
    start &= RowOffsetMask;
    std::vector<MdbField> cracked(table->num_cols);
    if (mdb_crack_row(table, start, size, cracked.data()) < int(table->num_cols))
        throw Damaged{QStringLiteral("the row holds fewer fields than the table")};
    QVector<Field> fields(int(table->num_cols));
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        if (cracked[i].colnum < 0 || cracked[i].colnum >= int(table->num_cols))
            throw Damaged{QStringLiteral("the row names a field the table does not have")};
        fields[cracked[i].colnum] = {bool(cracked[i].is_null), cracked[i].start, cracked[i].siz};
    }
    return fields;
}

// One data page of the table in the page buffer: its rows are packed from the end of the
// page down, each ending where the one before it starts, and the page's free space is what
// lies between them and the table of their offsets.
void Reader::readPage(MdbTableDef* table, const KnownTable& known, AccessTable& result,
                      const std::function<void()>& rowRead)
{
    const int pageSize = m_mdb->fmt->pg_size;
    const unsigned char* bytes = page();
    if (bytes[0] != DataPage || u32(bytes + OwnerAt) != quint32(table->entry->table_pg))
        throw Damaged{QStringLiteral("its list of pages names page %1, which is not one of its pages").arg(table->cur_phys_pg)};
    const int countAt = m_mdb->fmt->row_count_offset;
    const int count = u16(bytes + countAt);
    const int offsetsEnd = countAt + 2 + 2 * count;
    const auto pageDamage = [&](const QString& what) {
        return Damaged{QStringLiteral("row %1 (page %2): %3").arg(result.rows.size() + 1).arg(table->cur_phys_pg).arg(what)};
    };
    if (offsetsEnd > pageSize)
        throw pageDamage(QStringLiteral("the page says it holds %1 rows").arg(count));
    int end = pageSize;
    for (int slot = 0; slot < count; ++slot) {
        const int offset = u16(bytes + countAt + 2 + 2 * slot);
        const int start = offset & RowOffsetMask;
        const bool flagged = offset & RowFlags;
        if (start < offsetsEnd || start > end || (start == end && !flagged))
            throw pageDamage(QStringLiteral("the page's table of rows is damaged"));
        end = start;
    }
    if (u16(bytes + FreeSpaceAt) != end - offsetsEnd)
        throw pageDamage(QStringLiteral("the page's free space does not match its rows"));
    end = pageSize;
    for (int slot = 0; slot < count; ++slot) {
        const int offset = u16(bytes + countAt + 2 + 2 * slot);
        const int start = offset & RowOffsetMask;
        const int size = end - start;
        end = start;
        // Deleted rows, and rows that moved (which the earlier program's files never hold:
        // such a row would be one too many or too few for the table's count).
        if (offset & RowFlags)
            continue;
        try {
            result.rows.append(rowValues(table, known, rowFields(known, start, size)));
        } catch (const Damaged& damage) {
            throw Damaged{QStringLiteral("row %1: %2").arg(result.rows.size() + 1).arg(damage.what)};
        }
        rowRead();
    }
}

AccessTable Reader::readTable(MdbTableDef* table, const KnownTable& known, const std::function<void()>& rowRead)
{
    AccessTable result;
    result.name = QString::fromUtf8(table->name);
    for (const KnownColumn& column : known.columns)
        result.columns.append({column.name, kindOf(column.type)});
    try {
        mdb_rewind_table(table);
        if (IS_JET3(m_mdb)) {
            while (mdb_fetch_row(table)) {
                try {
                    result.rows.append(rowValues(table, known, crackedFields(table)));
                } catch (const Damaged& damage) {
                    throw Damaged{QStringLiteral("row %1: %2").arg(result.rows.size() + 1).arg(damage.what)};
                }
                rowRead();
            }
        } else {
            const qint64 pages = m_fileSize / m_mdb->fmt->pg_size;
            for (qint64 visited = 0; mdb_read_next_dpg(table) > 0; ++visited) {
                if (visited >= pages)
                    throw Damaged{QStringLiteral("its list of pages goes round in a circle")};
                readPage(table, known, result, rowRead);
            }
        }
        // libmdb passes over pages it cannot make sense of; the table definition's count
        // tells a damaged table from a short one.
        if (result.rows.size() != qsizetype(table->num_rows))
            throw Damaged{QStringLiteral("it holds %1 rows, of which %2 could be read").arg(table->num_rows).arg(result.rows.size())};
    } catch (const Damaged& damage) {
        throw Damaged{QStringLiteral("table \"%1\", %2").arg(result.name, damage.what)};
    }
    return result;
}

// A table definition must be the earlier program's, column for column: a changed byte there
// would otherwise read every row's values from the wrong place.
void checkLayout(MdbTableDef* table, const KnownTable& known, bool jet3)
{
    const QString name = QString::fromUtf8(table->name);
    const auto damaged = [&](const QString& what) {
        return Damaged{QStringLiteral("table \"%1\", %2").arg(name, what)};
    };
    const int variables = known.variableCount();
    if (table->num_cols != unsigned(known.columns.size()) || table->num_var_cols != unsigned(variables))
        throw damaged(QStringLiteral("its definition lists %1 columns, %2 of variable length; the table has %3, %4 of them variable")
                          .arg(table->num_cols).arg(table->num_var_cols).arg(known.columns.size()).arg(variables));
    int fixedOffset = 0;
    for (qsizetype i = 0; i < known.columns.size(); ++i) {
        const KnownColumn& expected = known.columns[i];
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        const auto wrong = [&](const QString& what) { return damaged(columnDamage(expected, what)); };
        if (QString::fromUtf8(column->name) != expected.name)
            throw wrong(QStringLiteral("the definition names column %1 \"%2\"").arg(i + 1).arg(QString::fromUtf8(column->name)));
        if (column->col_type != mdbType(expected.type))
            throw wrong(QStringLiteral("its definition gives it the wrong type"));
        if (column->col_num != i || column->row_col_num != i || bool(column->is_fixed) == expected.isVariable()
            || column->is_long_auto || column->is_uuid_auto)
            throw wrong(QStringLiteral("its number or layout in the definition is damaged"));
        if (expected.type == KnownColumn::Type::Text && column->col_size != expected.length * (jet3 ? 1 : 2))
            throw wrong(QStringLiteral("its definition gives it the wrong length"));
        if (expected.isVariable() && column->var_col_num != unsigned(known.variableNumber(i)))
            throw wrong(QStringLiteral("its place among the variable columns is damaged"));
        if (const int width = expected.fixedWidth(); width > 0) {
            if (column->col_size != width || column->fixed_offset != fixedOffset)
                throw wrong(QStringLiteral("its size or place in the row is damaged"));
            fixedOffset += width;
        }
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
        std::vector<std::pair<Table, const KnownTable*>> tables;
        qint64 total = 0;
        for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type != MDB_TABLE || mdb_is_system_table(entry))
                continue;
            // Only the earlier program's tables are read; any other is named, never read.
            const QString name = QString::fromUtf8(entry->object_name);
            const KnownTable* known = knownTable(name);
            if (!known) {
                contents.tables.append({name, {}, {}});
                continue;
            }
            // The column definitions are read from the page mdb_read_table leaves loaded.
            Table table(mdb_read_table(entry));
            if (!table || !mdb_read_columns(table.get()) || !table->columns || table->columns->len != table->num_cols)
                throw Damaged{QStringLiteral("table \"%1\" is damaged").arg(name)};
            checkLayout(table.get(), *known, IS_JET3(mdb.get()));
            total += table->num_rows;
            tables.emplace_back(std::move(table), known);
        }
        qint64 done = 0;
        Reader reader(mdb.get(), fileSize);
        for (const auto& [table, known] : tables) {
            contents.tables.append(reader.readTable(table.get(), *known, [&] {
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
