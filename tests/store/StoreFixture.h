#pragma once

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"
#include "support/TempFolder.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tagwright::test {

enum class Engine { Sqlite, Postgres };

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info)
{
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

// A fresh, empty main database on each engine the store runs on: a file in a temporary
// folder, or a database of its own on the test server. Every test of the store runs on both,
// so they behave alike. `db` is one workstation's connection; openAnother() gives a second.
class MainStoreTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        if (GetParam() == Engine::Sqlite) {
            store::Database file;
            const store::StoreError error = file.create(folder.file(store::schema::MainFileName),
                                                        store::schema::mainStatements());
            ASSERT_TRUE(error.ok()) << error.describe().toStdString();
            dataPath = folder.path();
        } else {
            if (const QString reason = ServerDatabase::skipReason(); !reason.isEmpty())
                GTEST_SKIP() << reason.toStdString();
            server = std::make_unique<ServerDatabase>();
            ASSERT_TRUE(server->created()) << server->error().toStdString();
            dataPath = server->dataPath();
        }
        const store::StoreError error = db.openMain(dataPath);
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
    }

    // Another workstation's connection to the same database.
    void openAnother(store::Database& other)
    {
        const store::StoreError error = other.openMain(dataPath);
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
    }

    // Adds one "Labels" record with the given title (and body), returns the outcome.
    store::StoreError addLabel(store::TableCursor& cursor, const QVariant& title,
                               const QString& body = QString())
    {
        EXPECT_TRUE(cursor.addNew().ok());
        EXPECT_TRUE(cursor.setValue(store::schema::labels::Description, title).ok());
        if (!body.isNull()) {
            EXPECT_TRUE(cursor.setValue(store::schema::labels::Body, body).ok());
        }
        return cursor.update();
    }

    TempFolder folder;
    std::unique_ptr<ServerDatabase> server;
    QString dataPath;
    store::Database db;
};

#define TAGWRIGHT_ON_BOTH_ENGINES(suite)                                                        \
    INSTANTIATE_TEST_SUITE_P(Engines, suite,                                                   \
                             ::testing::Values(::tagwright::test::Engine::Sqlite,              \
                                               ::tagwright::test::Engine::Postgres),           \
                             ::tagwright::test::engineName)

}  // namespace tagwright::test
