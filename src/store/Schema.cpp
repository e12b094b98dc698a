#include "Schema.h"

#include "Registration.h"
#include "Statements.h"

#include <QDir>

namespace tagwright::store::schema {

QString mainDatabasePath(const QString& dataPath)
{
    return dataPath + QDir::separator() + MainFileName;
}

QString sqlType(ColumnType type)
{
    switch (type) {
    case ColumnType::Real: return QStringLiteral("REAL");
    case ColumnType::Integer: return QStringLiteral("INTEGER");
    case ColumnType::Text: break;
    }
    return QStringLiteral("TEXT");
}

QStringList startingRowStatements(const TableLayout& table)
{
    QStringList names;
    for (const Column& column : table.columns)
        names << u'"' + column.name + u'"';
    QStringList statements;
    for (const QStringList& row : table.startingRows) {
        QStringList values;
        for (QString value : row)
            values << u'\'' + value.replace(u'\'', QStringLiteral("''")) + u'\'';
        statements << QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                          .arg(table.name, names.join(u','), values.join(u','));
    }
    return statements;
}

QString indexName(const QString& table, const Index& index)
{
    switch (index.kind) {
    case Index::Kind::Plain: break;
    case Index::Kind::IgnoringCase: return table + u'_' + index.field + QStringLiteral("_folded");
    case Index::Kind::Registration: return table + u'_' + index.field + QStringLiteral("_key");
    }
    return table + u'_' + index.field;
}

QStringList sqliteIndexStatements(const TableLayout& table)
{
    QStringList statements;
    for (const Index& index : table.indexes) {
        const QString field = u'"' + index.field + u'"';
        QString indexed = field;
        if (index.kind == Index::Kind::IgnoringCase)
            indexed = field + QStringLiteral(" COLLATE NOCASE");
        else if (index.kind == Index::Kind::Registration)
            indexed = registration::sqliteKey(field);
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS \"%1\" ON \"%2\" (%3)")
                          .arg(indexName(table.name, index), table.name, indexed);
    }
    return statements;
}

QStringList sqliteStatements(const QVector<TableLayout>& layout)
{
    QStringList statements;
    for (const TableLayout& table : layout) {
        QStringList columns{RecordId + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT"),
                            RecordVersion + QStringLiteral(" INTEGER NOT NULL DEFAULT 1")};
        for (const Column& column : table.columns) {
            QString definition = column.name + u' ' + sqlType(column.type);
            if (column.name == table.uniqueTitle)
                definition += QStringLiteral(" COLLATE NOCASE");
            columns << definition;
        }
        if (!table.uniqueTitle.isEmpty())
            columns << TitleKey + QStringLiteral(" TEXT UNIQUE");
        statements << QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, columns.join(QStringLiteral(", ")));
        statements << sqliteIndexStatements(table);
        statements << startingRowStatements(table);
    }
    return statements;
}

QVector<TableLayout> setupLayout()
{
    using enum ColumnType;
    return {{SetupTable, {{setup::DataPath, Text}, {setup::CompanyPhone, Text}}, {}}};
}

QVector<TableLayout> mainLayout()
{
    using enum ColumnType;
    namespace l = labels;
    namespace c = company;
    return {
        {LabelsTable,
         {{l::Description, Text}, {l::Body, Text}, {l::Font, Text}, {l::Size, Real},
          {l::Bold, Integer}, {l::Italic, Integer}, {l::Logo, Text}, {l::Header, Integer},
          {l::Signed, Integer}, {l::LabelTop, Text}, {l::LabelMiddle, Text},
          {l::LabelBottom, Text}, {l::LeftTop, Text}, {l::LeftMiddle, Text},
          {l::LeftBottom, Text}},
         l::Description},
        {MechanicsTable,
         {{mechanics::Mechanics, Text}, {mechanics::CertificateKind, Text, true},
          {mechanics::CertificateNumber, Text, true}},
         {}},
        {CompanyInfoTable,
         {{c::CompanyName, Text}, {c::CompanyAddress, Text}, {c::CompanyCSZ, Text},
          {c::CompanyPhone, Text}, {c::LabelTopUp, Integer}, {c::LabelMiddleUp, Integer},
          {c::LabelBottomUp, Integer}, {c::LabelLeft, Integer}, {c::LabelRight, Integer},
          {c::DefLabel, Text}, {c::LabelStyle, Integer}, {c::RepairStation, Text, true}},
         {}},
        journalLayout(),
        aircraftLayout(),
        statementsLayout(),
    };
}

QString uniqueTitleOf(const QString& table)
{
    for (const TableLayout& layout : mainLayout()) {
        if (layout.name.compare(table, Qt::CaseInsensitive) == 0)
            return layout.uniqueTitle;
    }
    return {};
}

QVariant titleKey(const QVariant& title)
{
    if (title.isNull())
        return QVariant(QMetaType::fromType<QString>());
    return title.toString().toCaseFolded();
}

TableLayout journalLayout()
{
    using enum ColumnType;
    namespace j = journal;
    return {JournalTable,
            {{j::PrintedAt, Text}, {j::Workstation, Text}, {j::UserName, Text}, {j::Template, Text},
             {j::RegistrationCaption, Text}, {j::MakeCaption, Text}, {j::SerialCaption, Text},
             {j::TachCaption, Text}, {j::TotalTimeCaption, Text}, {j::SinceOverhaulCaption, Text},
             {j::Registration, Text}, {j::Make, Text}, {j::Serial, Text}, {j::Tach, Text},
             {j::TotalTime, Text}, {j::SinceOverhaul, Text}, {j::LabelDate, Text},
             {j::Body, Text}, {j::FontName, Text}, {j::FontSize, Real}, {j::FontBold, Integer},
             {j::FontItalic, Integer}, {j::LogoFile, Text}, {j::CompanyBlock, Integer},
             {j::CompanyName, Text}, {j::CompanyAddress, Text}, {j::CompanyCSZ, Text},
             {j::CompanyPhone, Text}, {j::Signed, Integer}, {j::Signatory, Text},
             {j::CertificateKind, Text}, {j::CertificateNumber, Text}, {j::RepairStation, Text},
             {j::Stock, Integer}, {j::Copies, Integer}, {j::UsedCells, Text},
             {j::TopRowOffset, Real}, {j::MiddleRowOffset, Real}, {j::BottomRowOffset, Real},
             {j::LeftColumnOffset, Real}, {j::RightColumnOffset, Real}, {j::Destination, Text},
             {j::Result, Text}, {j::Repeats, Integer}},
            {},
            {{j::Registration, Index::Kind::Registration},
             {j::PrintedAt, Index::Kind::Plain},
             {j::Template, Index::Kind::IgnoringCase}}};
}

TableLayout aircraftLayout()
{
    using enum ColumnType;
    namespace a = aircraft;
    return {AircraftTable,
            {{a::Registration, Text}, {a::Make, Text}, {a::Serial, Text}, {a::Tach, Text},
             {a::TotalTime, Text}, {a::SinceOverhaul, Text}, {a::TimesDate, Text},
             {a::LastEntry, Integer}, {a::DisagreeingEntry, Integer}},
            a::Registration};
}

TableLayout statementsLayout()
{
    using enum ColumnType;
    TableLayout layout{StatementsTable, {{statements::Title, Text}, {statements::Wording, Text}}, {}};
    for (const Statement& statement : startingStatements())
        layout.startingRows.append({statement.title, statement.wording});
    return layout;
}

QStringList setupStatements()
{
    return sqliteStatements(setupLayout());
}

QStringList mainStatements()
{
    return sqliteStatements(mainLayout());
}

QStringList setupTables()
{
    return {SetupTable};
}

QStringList mainTables()
{
    return {LabelsTable, MechanicsTable, CompanyInfoTable};
}

}  // namespace tagwright::store::schema
