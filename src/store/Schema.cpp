#include "Schema.h"

#include <QDir>

namespace tagwright::store::schema {

QString mainDatabasePath(const QString& dataPath)
{
    return dataPath + QDir::separator() + MainFileName;
}

namespace {

QString sqliteType(ColumnType type)
{
    switch (type) {
    case ColumnType::Real: return QStringLiteral("REAL");
    case ColumnType::Integer: return QStringLiteral("INTEGER");
    case ColumnType::Text: break;
    }
    return QStringLiteral("TEXT");
}

QStringList sqliteStatements(const QVector<TableLayout>& layout)
{
    QStringList statements;
    for (const TableLayout& table : layout) {
        QStringList columns{RecordId + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT"),
                            RecordVersion + QStringLiteral(" INTEGER NOT NULL DEFAULT 1")};
        for (const Column& column : table.columns) {
            QString definition = column.name + u' ' + sqliteType(column.type);
            if (column.name == table.uniqueTitle)
                definition += QStringLiteral(" COLLATE NOCASE");
            columns << definition;
        }
        if (!table.uniqueTitle.isEmpty())
            columns << TitleKey + QStringLiteral(" TEXT UNIQUE");
        statements << QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, columns.join(QStringLiteral(", ")));
    }
    return statements;
}

}  // namespace

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
        {MechanicsTable, {{mechanics::Mechanics, Text}}, {}},
        {CompanyInfoTable,
         {{c::CompanyName, Text}, {c::CompanyAddress, Text}, {c::CompanyCSZ, Text},
          {c::CompanyPhone, Text}, {c::LabelTopUp, Integer}, {c::LabelMiddleUp, Integer},
          {c::LabelBottomUp, Integer}, {c::LabelLeft, Integer}, {c::LabelRight, Integer},
          {c::DefLabel, Text}, {c::LabelStyle, Integer}},
         {}},
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
