#pragma once

#include "support/MainWindowFixture.h"

#include "startup/MainWindowAssembly.h"

#include <QAction>

namespace tagwright::test {

// The main window as the program assembles it, menu bar included, on one template and a
// chosen label stock.
class MenuWindowTest : public MainWindowTest {
protected:
    // `labelStyle` 1 is the laser sheet, 2 tractor feed.
    void openMenuWindow(int labelStyle, const QString& body = QStringLiteral("Inspected."))
    {
        addRecord(mainDb, store::schema::LabelsTable, templateRecord(QStringLiteral("Annual"), body));
        addRecord(mainDb, store::schema::LabelsTable, templateRecord(QStringLiteral("Tires")));
        addRecord(mainDb, store::schema::CompanyInfoTable,
                  {{store::schema::company::LabelStyle, labelStyle}});
        window = startup::assembleMainWindow(mainDb, setupDb, dialogs);
        const store::StoreError error = window->load();
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
        window->show();
        QCoreApplication::processEvents();
    }

    QAction* action(const char* name) const { return find<QAction>(name); }
};

}  // namespace tagwright::test
