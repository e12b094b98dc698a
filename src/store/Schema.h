#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// File, table and field names of the two database files. Shops keep their files for years:
// these names never change.
namespace tagwright::store::schema {

inline const QString SetupFileName = QStringLiteral("SetupTGW.MDB");
inline const QString MainFileName = QStringLiteral("QUILLON.MDB");

// A template's title holds at most this many characters: the earlier program's files and
// title boxes never held more, and every entrance keeps to it.
constexpr int TitleLength = 20;

inline const QString SetupTable = QStringLiteral("Setup");
inline const QString LabelsTable = QStringLiteral("Labels");
inline const QString MechanicsTable = QStringLiteral("Mechanics");
inline const QString CompanyInfoTable = QStringLiteral("CompanyInfo");

namespace setup {
inline const QString DataPath = QStringLiteral("DataPath");
inline const QString CompanyPhone = QStringLiteral("CompanyPhone");
}  // namespace setup

namespace labels {
inline const QString Description = QStringLiteral("Description");
inline const QString Body = QStringLiteral("Body");
inline const QString Font = QStringLiteral("Font");
inline const QString Size = QStringLiteral("Size");
inline const QString Bold = QStringLiteral("Bold");
inline const QString Italic = QStringLiteral("Italic");
inline const QString Logo = QStringLiteral("Logo");
inline const QString Header = QStringLiteral("Header");
inline const QString Signed = QStringLiteral("Signed");
inline const QString LabelTop = QStringLiteral("LabelTop");
inline const QString LabelMiddle = QStringLiteral("LabelMiddle");
inline const QString LabelBottom = QStringLiteral("LabelBottom");
inline const QString LeftTop = QStringLiteral("LeftTop");
inline const QString LeftMiddle = QStringLiteral("LeftMiddle");
inline const QString LeftBottom = QStringLiteral("LeftBottom");
}  // namespace labels

namespace mechanics {
inline const QString Mechanics = QStringLiteral("Mechanics");
}  // namespace mechanics

namespace company {
inline const QString CompanyName = QStringLiteral("CompanyName");
inline const QString CompanyAddress = QStringLiteral("CompanyAddress");
inline const QString CompanyCSZ = QStringLiteral("CompanyCSZ");
inline const QString CompanyPhone = QStringLiteral("CompanyPhone");
inline const QString LabelTopUp = QStringLiteral("LabelTopUp");
inline const QString LabelMiddleUp = QStringLiteral("LabelMiddleUp");
inline const QString LabelBottomUp = QStringLiteral("LabelBottomUp");
inline const QString LabelLeft = QStringLiteral("LabelLeft");
inline const QString LabelRight = QStringLiteral("LabelRight");
inline const QString DefLabel = QStringLiteral("DefLabel");
inline const QString LabelStyle = QStringLiteral("LabelStyle");
}  // namespace company

// Every table's hidden bookkeeping: an identity handed out once and never again (so a write
// meant for a deleted record cannot land on a newer one), and a version counted up by each
// write (so a write based on an outdated reading is noticed).
inline const QString RecordId = QStringLiteral("RecordId");
inline const QString RecordVersion = QStringLiteral("RecordVersion");

// The unique title's fold key, kept beside it by the store and never shown: the title in
// Unicode case folding, so that "RÉVISION ½" and "Révision ½" are one title on every engine
// (SQLite's own NOCASE folds ASCII letters only). The unique index is on this column.
inline const QString TitleKey = QStringLiteral("TitleKey");

enum class ColumnType { Text, Real, Integer };

struct Column {
    QString name;
    ColumnType type;
};

// A table's fields, in the order the files have always had them. `uniqueTitle` names the
// field that no two records may share in any letter case (empty when none).
struct TableLayout {
    QString name;
    QVector<Column> columns;
    QString uniqueTitle;
};

QVector<TableLayout> setupLayout();
QVector<TableLayout> mainLayout();

// The field of `table` that no two records may share in any letter case, or empty.
QString uniqueTitleOf(const QString& table);
// The fold key of a title; missing for a missing title.
QVariant titleKey(const QVariant& title);

// The main database's path: the setup record's DataPath, the platform's separator and
// "QUILLON.MDB". A DataPath that already ends in a separator gives a doubled one, which
// the file system accepts.
QString mainDatabasePath(const QString& dataPath);

// CREATE TABLE statements of each file, for SQLite.
QStringList setupStatements();
QStringList mainStatements();

// The tables a file must hold to be opened.
QStringList setupTables();
QStringList mainTables();

}  // namespace tagwright::store::schema
