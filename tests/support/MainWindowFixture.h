#pragma once

#include "FakeDialogs.h"
#include "FindWidget.h"
#include "MainDatabaseBuilder.h"
#include "TempFolder.h"

#include "mainwindow/MainWindow.h"
#include "startup/SetupWiring.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace tagwright::test {

// A main database and a setup database in a temporary folder, and a main window on them.
// Fill the databases in the test, then call openWindow().
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mainDb.create(folder.file(store::schema::MainFileName),
                                  store::schema::mainStatements()).ok());
        ASSERT_TRUE(setupDb.create(folder.file(store::schema::SetupFileName),
                                   store::schema::setupStatements()).ok());
        addRecord(setupDb, store::schema::SetupTable,
                  {{store::schema::setup::DataPath, folder.path()}});
    }

    void TearDown() override { window.reset(); }

    // Builds the window with its setup features and loads it; `show` also shows it, which
    // activates it.
    void openWindow(bool show = true)
    {
        window = std::make_unique<mainwindow::MainWindow>(mainDb, setupDb, dialogs);
        startup::wireSetupFeatures(*window);
        const store::StoreError error = window->load();
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
        if (show) {
            window->show();
            QCoreApplication::processEvents();
        }
    }

    // Finds a widget of the window by its object name, or by its earlier control name.
    template <typename Widget>
    Widget* find(const char* name) const
    {
        Widget* widget = findWidget<Widget>(*window, QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    TempFolder folder;
    store::Database mainDb;
    store::Database setupDb;
    FakeDialogs dialogs;
    std::unique_ptr<mainwindow::MainWindow> window;
};

}  // namespace tagwright::test
