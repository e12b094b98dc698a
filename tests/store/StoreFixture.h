#pragma once

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tagwright::test {

// A fresh main database in a temporary folder.
class MainStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const store::StoreError error =
            db.create(folder.file(store::schema::MainFileName), store::schema::mainStatements());
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
    }

    // Adds one "Labels" record with the given title (and body), returns the outcome.
    store::StoreError addLabel(store::TableCursor& cursor, const QVariant& title,
                               const QString& body = QString())
    {
        cursor.addNew();
        cursor.setValue(store::schema::labels::Description, title);
        if (!body.isNull())
            cursor.setValue(store::schema::labels::Body, body);
        return cursor.update();
    }

    TempFolder folder;
    store::Database db;
};

}  // namespace tagwright::test
