#include "support/MainWindowFixture.h"

#include "ui/ListSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

using namespace tagwright;
using test::addRecord;
using test::templateRecord;
namespace schema = store::schema;

namespace {

class MainWindowLoad : public test::MainWindowTest {
protected:
    QStringList listEntries(const char* name) const
    {
        QStringList entries;
        const auto* list = find<QComboBox>(name);
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        return entries;
    }
};

TEST_F(MainWindowLoad, emptyTablesGiveEmptyListsWithoutSelectionAndZeroOffsets)
{
    openWindow(false);
    EXPECT_TRUE(listEntries("defaultLabelList").isEmpty());
    EXPECT_EQ(find<QComboBox>("defaultLabelList")->currentIndex(), -1);
    EXPECT_TRUE(listEntries("signatoryList").isEmpty());
    for (const char* box : {"companyNameBox", "addressBox", "cityStateZipBox", "phoneBox"})
        EXPECT_EQ(find<QLineEdit>(box)->text(), "") << box;
    for (const char* box : {"topRowOffsetBox", "leftColumnOffsetBox", "middleRowOffsetBox",
                            "rightColumnOffsetBox", "bottomRowOffsetBox"})
        EXPECT_EQ(find<QLineEdit>(box)->text(), "0") << box;
    EXPECT_EQ(window->state().TabPos, 0);
}

TEST_F(MainWindowLoad, dateBoxShowsTodayWithHyphens)
{
    openWindow(false);
    const QString date = find<QLineEdit>("dateBox")->text();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d{4}$")).match(date).hasMatch());
    EXPECT_EQ(date, QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy")));
}

TEST_F(MainWindowLoad, listsHoldTitlesAndSignatoriesInStoreOrderSkippingMissingOnes)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Oil Change")));
    addRecord(mainDb, schema::LabelsTable, {{schema::labels::Body, QStringLiteral("untitled")}});
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    addRecord(mainDb, schema::MechanicsTable, {{schema::mechanics::Mechanics, QStringLiteral("J. Smith A&P 123")}});
    addRecord(mainDb, schema::MechanicsTable, {});
    addRecord(mainDb, schema::MechanicsTable, {{schema::mechanics::Mechanics, QStringLiteral("A. Jones IA 456")}});
    openWindow(false);
    EXPECT_EQ(listEntries("defaultLabelList"), QStringList({"Oil Change", "Annual"}));
    EXPECT_EQ(listEntries("signatoryList"), QStringList({"J. Smith A&P 123", "A. Jones IA 456"}));
    EXPECT_EQ(find<QComboBox>("signatoryList")->currentIndex(), -1);
    // The card order holds every template, one without a title too.
    EXPECT_EQ(window->cards().count(), 3);
}

TEST_F(MainWindowLoad, companySettingsFillTheBoxesAndMissingOffsetsShowZero)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    addRecord(mainDb, schema::CompanyInfoTable,
              {{schema::company::CompanyName, QStringLiteral("Skyline Aero")},
               {schema::company::CompanyAddress, QStringLiteral("12 Hangar Row")},
               {schema::company::CompanyCSZ, QStringLiteral("Bend, OR 97701")},
               {schema::company::CompanyPhone, QStringLiteral("541-555-0100")},
               {schema::company::LabelTopUp, 15},
               {schema::company::LabelLeft, -20},
               {schema::company::DefLabel, QStringLiteral("ANNUAL")}});
    openWindow(false);
    EXPECT_EQ(find<QLineEdit>("companyNameBox")->text(), "Skyline Aero");
    EXPECT_EQ(find<QLineEdit>("addressBox")->text(), "12 Hangar Row");
    EXPECT_EQ(find<QLineEdit>("cityStateZipBox")->text(), "Bend, OR 97701");
    EXPECT_EQ(find<QLineEdit>("phoneBox")->text(), "541-555-0100");
    EXPECT_EQ(find<QLineEdit>("topRowOffsetBox")->text(), "15");
    EXPECT_EQ(find<QLineEdit>("leftColumnOffsetBox")->text(), "-20");
    EXPECT_EQ(find<QLineEdit>("middleRowOffsetBox")->text(), "0");
    EXPECT_EQ(find<QLineEdit>("rightColumnOffsetBox")->text(), "0");
    EXPECT_EQ(find<QLineEdit>("bottomRowOffsetBox")->text(), "0");
    // The default label differs from the title only in letter case: still selected.
    EXPECT_EQ(window->state().FindText, "ANNUAL");
    EXPECT_EQ(find<QComboBox>("defaultLabelList")->currentIndex(), 0);
    EXPECT_EQ(find<QComboBox>("defaultLabelList")->currentText(), "Annual");
}

TEST_F(MainWindowLoad, defaultLabelNamingNoTemplateLeavesNoSelection)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    addRecord(mainDb, schema::CompanyInfoTable, {{schema::company::DefLabel, QStringLiteral("Gone")}});
    openWindow(false);
    EXPECT_EQ(find<QComboBox>("defaultLabelList")->currentIndex(), -1);
    EXPECT_EQ(find<QComboBox>("defaultLabelList")->currentText(), "");
}

TEST_F(MainWindowLoad, exactListSearchFindsTheFirstEntryIgnoringCase)
{
    QComboBox list;
    list.addItems({QStringLiteral("abc"), QStringLiteral("ABC"), QStringLiteral("x\"y")});
    EXPECT_EQ(ui::exactListSearch(&list, QStringLiteral("Abc")), 0);
    EXPECT_EQ(ui::exactListSearch(&list, QStringLiteral("x\"Y")), 2);
    EXPECT_EQ(ui::exactListSearch(&list, QStringLiteral("ab")), -1);
    EXPECT_EQ(ui::exactListSearch(&list, QString()), -1);
}

}  // namespace
