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
// What the programs printed, and the aircraft they printed for. Templates never hold the
// values typed for one label; these tables keep them apart from the templates.
inline const QString JournalTable = QStringLiteral("Journal");
inline const QString AircraftTable = QStringLiteral("Aircraft");
// The shop's own return-to-service and inspection wordings, inserted into label bodies.
inline const QString StatementsTable = QStringLiteral("Statements");

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
// The certificate the signatory approves work under: its kind ("A&P/IA") and number.
inline const QString CertificateKind = QStringLiteral("CertificateKind");
inline const QString CertificateNumber = QStringLiteral("CertificateNumber");
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
inline const QString RepairStation = QStringLiteral("RepairStation");   // the station's certificate number
}  // namespace company

// One entry per label command that left the program; its RecordId is the entry's number.
namespace journal {
inline const QString PrintedAt = QStringLiteral("PrintedAt");   // UTC, ISO 8601 with milliseconds
inline const QString Workstation = QStringLiteral("Workstation");
inline const QString UserName = QStringLiteral("UserName");
inline const QString Template = QStringLiteral("Template");
// The six header slots: captions and the values typed beside them.
inline const QString RegistrationCaption = QStringLiteral("RegistrationCaption");
inline const QString MakeCaption = QStringLiteral("MakeCaption");
inline const QString SerialCaption = QStringLiteral("SerialCaption");
inline const QString TachCaption = QStringLiteral("TachCaption");
inline const QString TotalTimeCaption = QStringLiteral("TotalTimeCaption");
inline const QString SinceOverhaulCaption = QStringLiteral("SinceOverhaulCaption");
inline const QString Registration = QStringLiteral("Registration");
inline const QString Make = QStringLiteral("Make");
inline const QString Serial = QStringLiteral("Serial");
inline const QString Tach = QStringLiteral("Tach");
inline const QString TotalTime = QStringLiteral("TotalTime");
inline const QString SinceOverhaul = QStringLiteral("SinceOverhaul");
inline const QString LabelDate = QStringLiteral("LabelDate");
inline const QString Body = QStringLiteral("Body");
inline const QString FontName = QStringLiteral("FontName");
inline const QString FontSize = QStringLiteral("FontSize");
inline const QString FontBold = QStringLiteral("FontBold");
inline const QString FontItalic = QStringLiteral("FontItalic");
inline const QString LogoFile = QStringLiteral("LogoFile");
inline const QString CompanyBlock = QStringLiteral("CompanyBlock");
inline const QString CompanyName = QStringLiteral("CompanyName");
inline const QString CompanyAddress = QStringLiteral("CompanyAddress");
inline const QString CompanyCSZ = QStringLiteral("CompanyCSZ");
inline const QString CompanyPhone = QStringLiteral("CompanyPhone");
inline const QString Signed = QStringLiteral("Signed");
inline const QString Signatory = QStringLiteral("Signatory");
inline const QString CertificateKind = QStringLiteral("CertificateKind");
inline const QString CertificateNumber = QStringLiteral("CertificateNumber");
inline const QString RepairStation = QStringLiteral("RepairStation");
inline const QString Stock = QStringLiteral("Stock");                 // as LabelStyle: 2 tractor feed
inline const QString Copies = QStringLiteral("Copies");
inline const QString UsedCells = QStringLiteral("UsedCells");         // "2,3,4,5,6"
inline const QString TopRowOffset = QStringLiteral("TopRowOffset");   // twips
inline const QString MiddleRowOffset = QStringLiteral("MiddleRowOffset");
inline const QString BottomRowOffset = QStringLiteral("BottomRowOffset");
inline const QString LeftColumnOffset = QStringLiteral("LeftColumnOffset");
inline const QString RightColumnOffset = QStringLiteral("RightColumnOffset");
inline const QString Destination = QStringLiteral("Destination");     // printer name or PDF path
inline const QString Result = QStringLiteral("Result");
inline const QString Repeats = QStringLiteral("Repeats");             // the entry a reprint repeats
}  // namespace journal

// One record per registration the journal has seen, with what its labels last said.
namespace aircraft {
inline const QString Registration = QStringLiteral("Registration");
inline const QString Make = QStringLiteral("Make");
inline const QString Serial = QStringLiteral("Serial");
inline const QString Tach = QStringLiteral("Tach");
inline const QString TotalTime = QStringLiteral("TotalTime");
inline const QString SinceOverhaul = QStringLiteral("SinceOverhaul");
inline const QString TimesDate = QStringLiteral("TimesDate");   // the label date of the last times
inline const QString LastEntry = QStringLiteral("LastEntry");
// The newest entry whose label gave another make or serial than the ones kept here, until
// a correction on the aircraft page settles it; missing when none did.
inline const QString DisagreeingEntry = QStringLiteral("DisagreeingEntry");
}  // namespace aircraft

namespace statements {
inline const QString Title = QStringLiteral("Title");       // what the shop calls it
inline const QString Wording = QStringLiteral("Wording");   // the text inserted
}  // namespace statements

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
    // A field a later version added to one of the earlier program's tables: a file without
    // it still opens, and gets it (empty in every record) on the first open that may write.
    bool addedLater = false;
};

// A lookup index on one field: for ranges and order, for a field looked up without regard
// to letter case, or for a registration looked up by its key (store/Registration.h).
struct Index {
    enum class Kind { Plain, IgnoringCase, Registration };
    QString field;
    Kind kind = Kind::Plain;
};

// A table's fields, in the order the files have always had them. `uniqueTitle` names the
// field that no two records may share in any letter case (empty when none). `startingRows`
// (values in column order) are what a table gets when it is created, and only then.
struct TableLayout {
    QString name;
    QVector<Column> columns;
    QString uniqueTitle;
    QVector<Index> indexes = {};
    QVector<QStringList> startingRows = {};
};

// The index's name in the database.
QString indexName(const QString& table, const Index& index);

QVector<TableLayout> setupLayout();
QVector<TableLayout> mainLayout();
TableLayout journalLayout();
TableLayout aircraftLayout();
TableLayout statementsLayout();

// The column type's name in SQL, the same on both engines.
QString sqlType(ColumnType type);
// The INSERT statements that give a new table its starting rows, values written in.
QStringList startingRowStatements(const TableLayout& table);

// The field of `table` that no two records may share in any letter case, or empty.
QString uniqueTitleOf(const QString& table);
// The fold key of a title; missing for a missing title.
QVariant titleKey(const QVariant& title);

// The main database's path: the setup record's DataPath, the platform's separator and
// "QUILLON.MDB". A DataPath that already ends in a separator gives a doubled one, which
// the file system accepts.
QString mainDatabasePath(const QString& dataPath);

// CREATE TABLE and CREATE INDEX statements for SQLite.
QStringList sqliteStatements(const QVector<TableLayout>& layout);
QStringList sqliteIndexStatements(const TableLayout& table);

// CREATE TABLE statements of each file, for SQLite.
QStringList setupStatements();
QStringList mainStatements();

// The tables a file must hold to be opened. The journal's and the statements' tables are not
// among them: a file without them still opens, and gets them on the first open that may
// write, as it gets the fields later versions added to the older tables.
QStringList setupTables();
QStringList mainTables();

}  // namespace tagwright::store::schema
