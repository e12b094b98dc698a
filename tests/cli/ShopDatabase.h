#pragma once

#include "store/Database.h"
#include "store/Schema.h"
#include "support/TempFolder.h"

#include <QSqlField>
#include <QSqlRecord>
#include <QVariantMap>

#include <gtest/gtest.h>

namespace tagwright::test {

// A shop's two database files in a temporary folder, written with plain SQL so a test shows
// exactly what is stored (missing fields stay missing).
class ShopDatabase {
public:
    ShopDatabase()
    {
        store::Database setup;
        EXPECT_TRUE(setup.create(setupPath(), store::schema::setupStatements()).ok());
        insert(setup, store::schema::SetupTable, {{"DataPath", folder.path()}});
        EXPECT_TRUE(m_main.create(folder.file(store::schema::MainFileName),
                                  store::schema::mainStatements())
                        .ok());
    }

    QString setupPath() const { return folder.file(store::schema::SetupFileName); }

    void addCompany(const QVariantMap& fields) { insert(m_main, store::schema::CompanyInfoTable, fields); }
    void addTemplate(const QVariantMap& fields) { insert(m_main, store::schema::LabelsTable, fields); }
    void addSignatory(const QString& name)
    {
        insert(m_main, store::schema::MechanicsTable, {{store::schema::mechanics::Mechanics, name}});
    }

    TempFolder folder;

private:
    static void insert(store::Database& db, const QString& table, const QVariantMap& fields)
    {
        QSqlRecord record;
        for (auto field = fields.cbegin(); field != fields.cend(); ++field) {
            QSqlField column(field.key(), field.value().metaType());
            column.setValue(field.value());
            record.append(column);
        }
        qint64 id = -1;
        ASSERT_TRUE(db.backend().insert(table, record, id).ok());
    }

    store::Database m_main;
};

// The template most tests print: a company block, the six usual captions, a signature.
inline QVariantMap hundredHourTemplate()
{
    return {{"Description", "100 Hour"},
            {"Body", "Performed 100 hour inspection.\r\nAircraft found airworthy."},
            {"Font", "Arial"},
            {"Size", 8.0},
            {"Bold", 0},
            {"Italic", 0},
            {"Header", 1},
            {"Signed", 1},
            {"LeftTop", "Reg #"},
            {"LeftMiddle", "Make"},
            {"LeftBottom", "Serial"},
            {"LabelTop", "Tach"},
            {"LabelMiddle", "T.T."},
            {"LabelBottom", "SMOH"}};
}

inline QVariantMap skylineCompany()
{
    return {{"CompanyName", "Skyline Aero Services"},
            {"CompanyAddress", "1200 Hangar Road"},
            {"CompanyCSZ", "Wichita, KS 67209"},
            {"CompanyPhone", "316-555-0142"},
            {"DefLabel", "100 hour"},
            {"LabelStyle", 1}};
}

}  // namespace tagwright::test
