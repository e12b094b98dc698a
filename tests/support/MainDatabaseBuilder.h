#pragma once

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

#include <QVariantMap>

#include <gtest/gtest.h>

namespace tagwright::test {

// Writes records into a database for a test's set-up: one map of field values a record.
inline void addRecord(store::Database& db, const QString& table, const QVariantMap& values)
{
    store::TableCursor cursor;
    ASSERT_TRUE(cursor.open(db, table).ok());
    EXPECT_TRUE(cursor.addNew().ok());
    for (auto it = values.begin(); it != values.end(); ++it)
        EXPECT_TRUE(cursor.setValue(it.key(), it.value()).ok());
    const store::StoreError error = cursor.update();
    ASSERT_TRUE(error.ok()) << error.describe().toStdString();
}

// A "Labels" record with a title, a body and the usual captions.
inline QVariantMap templateRecord(const QString& title, const QString& body = QString())
{
    return {{QStringLiteral("Description"), title},
            {QStringLiteral("Body"), body},
            {QStringLiteral("Font"), QStringLiteral("Arial")},
            {QStringLiteral("Size"), 10.0},
            {QStringLiteral("Bold"), false},
            {QStringLiteral("Italic"), false},
            {QStringLiteral("Header"), 1},
            {QStringLiteral("Signed"), 1},
            {QStringLiteral("LabelTop"), QStringLiteral("Tach")},
            {QStringLiteral("LabelMiddle"), QStringLiteral("T.T.")},
            {QStringLiteral("LabelBottom"), QStringLiteral("SMOH")},
            {QStringLiteral("LeftTop"), QStringLiteral("Reg #")},
            {QStringLiteral("LeftMiddle"), QStringLiteral("Make")},
            {QStringLiteral("LeftBottom"), QStringLiteral("Serial")}};
}

}  // namespace tagwright::test
