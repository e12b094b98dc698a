#pragma once

#include "support/MainWindowFixture.h"

#include "mainwindow/ClickLabel.h"
#include "mainwindow/MainWindowControls.h"
#include "mainwindow/TemplateCard.h"
#include "store/Schema.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <ostream>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tagwright::test {

// A main window over templates the test adds, with readers for what the card shows.
class CardTest : public MainWindowTest {
protected:
    void addTemplates(const QStringList& titles)
    {
        for (const QString& title : titles)
            addRecord(mainDb, store::schema::LabelsTable, templateRecord(title, title + " body"));
    }

    void setDefaultLabel(const QString& title)
    {
        addRecord(mainDb, store::schema::CompanyInfoTable, {{store::schema::company::DefLabel, title}});
    }

    mainwindow::MainWindowControls& controls() { return window->controls(); }
    mainwindow::TemplateCard& card() { return window->card(); }

    bool shown(const QWidget* widget) const { return widget->isVisibleTo(window.get()); }

    // The index of the one title box on show, -1 when none or several are.
    int shownTitleTab() const
    {
        int shownTab = -1;
        for (int tab = 0; tab < 3; ++tab) {
            if (shown(window->controls().titleBoxes[std::size_t(tab)]))
                shownTab = shownTab < 0 ? tab : -2;
        }
        return shownTab < 0 ? -1 : shownTab;
    }

    QString shownTitle() const
    {
        const int tab = shownTitleTab();
        return tab < 0 ? QStringLiteral("<no single title tab>")
                       : window->controls().titleBoxes[std::size_t(tab)]->text();
    }

    // Names of the tab bars on show, row by row.
    QStringList shownBars() const
    {
        QStringList names;
        for (const QLabel* bar : window->controls().tabBars) {
            if (shown(bar))
                names << bar->objectName();
        }
        return names;
    }

    bool browsing() const
    {
        const auto& c = window->controls();
        bool commandsOn = c.newButton->isEnabled() && c.deleteButton->isEnabled()
                          && c.exitButton->isEnabled() && c.setupButton->isEnabled();
        for (const auto* zone : c.pageZones)
            commandsOn = commandsOn && zone->isEnabled();
        return commandsOn && !c.saveButton->isEnabled();
    }

    void clickZone(int zone)
    {
        QTest::mouseClick(window->controls().pageZones[std::size_t(zone - 1)], Qt::LeftButton);
    }

    QVariant storedField(const QString& title, const QString& field)
    {
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(mainDb, store::schema::LabelsTable).ok());
        EXPECT_TRUE(cursor.findFirst(store::schema::labels::Description, title)) << title.toStdString();
        return cursor.value(field);
    }
};

}  // namespace tagwright::test
