#include "Schema.h"

#include <QDir>

namespace tagwright::store::schema {

QString mainDatabasePath(const QString& dataPath)
{
    return dataPath + QDir::separator() + MainFileName;
}

QStringList setupStatements()
{
    return {QStringLiteral("CREATE TABLE Setup (DataPath TEXT, CompanyPhone TEXT)")};
}

QStringList mainStatements()
{
    return {
        QStringLiteral("CREATE TABLE Labels (Description TEXT UNIQUE COLLATE NOCASE, Body TEXT, "
                       "Font TEXT, Size REAL, Bold INTEGER, Italic INTEGER, Logo TEXT, "
                       "Header INTEGER, Signed INTEGER, LabelTop TEXT, LabelMiddle TEXT, "
                       "LabelBottom TEXT, LeftTop TEXT, LeftMiddle TEXT, LeftBottom TEXT)"),
        QStringLiteral("CREATE TABLE Mechanics (Mechanics TEXT)"),
        QStringLiteral("CREATE TABLE CompanyInfo (CompanyName TEXT, CompanyAddress TEXT, "
                       "CompanyCSZ TEXT, CompanyPhone TEXT, LabelTopUp INTEGER, "
                       "LabelMiddleUp INTEGER, LabelBottomUp INTEGER, LabelLeft INTEGER, "
                       "LabelRight INTEGER, DefLabel TEXT, LabelStyle INTEGER)"),
    };
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
