#pragma once

#include "support/MainWindowFixture.h"


#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace tagwright::test {

// The main window with the setup panel, font and logo features attached, as the program
// assembles it, and readers of what the databases hold.
class SetupWindowTest : public MainWindowTest {
protected:
    void openSetupWindow(bool show = true) { openWindow(show); }

    void click(const char* button) { find<QAbstractButton>(button)->click(); }
    QLineEdit* box(const char* name) { return find<QLineEdit>(name); }

    // The one value of `field` in the first record of `table`, read afresh from the file.
    QVariant stored(store::Database& db, const QString& table, const QString& field)
    {
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(db, table).ok());
        return cursor.value(field);
    }
    int recordCount(store::Database& db, const QString& table)
    {
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(db, table).ok());
        return cursor.recordCount();
    }
};

}  // namespace tagwright::test
