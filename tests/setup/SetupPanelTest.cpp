#include "SetupWindowFixture.h"

#include "support/Pixels.h"

#include "mainwindow/ClickLabel.h"
#include "mainwindow/TemplateCard.h"
#include "mainwindow/TemplateEditor.h"
#include "store/TemplateStore.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

using namespace tagwright;
using test::addRecord;
using test::templateRecord;
namespace schema = store::schema;
namespace company = schema::company;

namespace {

class SetupPanelTest : public test::SetupWindowTest {
protected:
    bool panelShown() { return !find<QFrame>("setupPanel")->isHidden(); }
    QComboBox* defaultList() { return find<QComboBox>("defaultLabelList"); }
    QString titleOnShow() { return window->controls().titleBoxes[0]->text(); }

    void addTemplates(std::initializer_list<const char*> titles)
    {
        for (const char* title : titles)
            addRecord(mainDb, schema::LabelsTable, templateRecord(QString::fromLatin1(title)));
    }
    void addCompany(const QVariantMap& values) { addRecord(mainDb, schema::CompanyInfoTable, values); }
    QVariant storedCompany(const QString& field) { return stored(mainDb, schema::CompanyInfoTable, field); }
};

const char* const MainButtons[] = {"newButton", "fontButton", "logoButton", "printButton",
                                   "exitButton", "deleteButton"};

TEST_F(SetupPanelTest, openingDisablesTheMainButtonsAndClosingBringsBackBrowsing)
{
    addTemplates({"Annual", "Tires"});
    openSetupWindow();
    QPushButton* setupButton = find<QPushButton>("setupButton");
    const QColor lightBlue(128, 128, 255);
    EXPECT_EQ(setupButton->palette().color(QPalette::ButtonText), lightBlue);

    click("setupButton");
    EXPECT_TRUE(panelShown());
    for (const char* name : MainButtons)
        EXPECT_FALSE(find<QPushButton>(name)->isEnabled()) << name;
    EXPECT_FALSE(find<QPushButton>("saveButton")->isEnabled());
    EXPECT_TRUE(setupButton->isEnabled());
    EXPECT_EQ(setupButton->text(), "Save");
    EXPECT_EQ(setupButton->palette().color(QPalette::ButtonText),
              setupButton->palette().color(QPalette::WindowText));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    EXPECT_EQ(window->state().TabPos, 0);   // no paging behind the panel

    click("setupButton");
    EXPECT_FALSE(panelShown());
    for (const char* name : MainButtons)
        EXPECT_TRUE(find<QPushButton>(name)->isEnabled()) << name;
    EXPECT_FALSE(find<QPushButton>("saveButton")->isEnabled());
    EXPECT_EQ(setupButton->text(), "Setup");
    EXPECT_EQ(setupButton->palette().color(QPalette::ButtonText), lightBlue);
    EXPECT_TRUE(window->controls().pageZones[3]->isEnabled());
}

TEST_F(SetupPanelTest, afterThePanelClosesADisabledSetupButtonStillLooksDisabled)
{
    addTemplates({"Annual"});
    openSetupWindow();
    click("setupButton");
    click("setupButton");
    ASSERT_FALSE(panelShown());
    QPushButton* setupButton = find<QPushButton>("setupButton");
    EXPECT_GT(test::pixelsOf(setupButton->grab().toImage(), QColor(128, 128, 255)), 0);
    window->card().EnterEditMode();
    ASSERT_FALSE(setupButton->isEnabled());
    EXPECT_EQ(test::pixelsOf(setupButton->grab().toImage(), QColor(128, 128, 255)), 0);
}

TEST_F(SetupPanelTest, emptyCompanyInfoLoadsNothingAndClosingCreatesBothFirstRecords)
{
    addTemplates({"Annual"});
    addRecord(setupDb, schema::SetupTable, {});   // ignored: only the first record counts
    openSetupWindow();
    {
        store::TableCursor setupCursor;
        ASSERT_TRUE(setupCursor.open(setupDb, schema::SetupTable).ok());
        EXPECT_TRUE(setupCursor.edit().ok());
        EXPECT_TRUE(setupCursor.setValue(schema::setup::CompanyPhone, QStringLiteral("555-0199")).ok());
        ASSERT_TRUE(setupCursor.update().ok());
    }
    box("companyNameBox")->setText(QStringLiteral("typed before"));
    click("setupButton");
    EXPECT_EQ(box("companyNameBox")->text(), "typed before");
    EXPECT_EQ(box("phoneBox")->text(), "");   // not even the phone is loaded
    box("phoneBox")->setText(QStringLiteral("555-0100"));
    click("setupButton");

    EXPECT_EQ(recordCount(mainDb, schema::CompanyInfoTable), 1);
    EXPECT_EQ(storedCompany(company::CompanyName).toString(), "typed before");
    EXPECT_EQ(storedCompany(company::LabelStyle).toInt(), 1);
    EXPECT_EQ(stored(setupDb, schema::SetupTable, schema::setup::CompanyPhone).toString(), "555-0100");
    EXPECT_EQ(recordCount(setupDb, schema::SetupTable), 2);
}

TEST_F(SetupPanelTest, anEmptySetupTableGetsItsFirstRecordOnClosing)
{
    store::TableCursor setupCursor;
    ASSERT_TRUE(setupCursor.open(setupDb, schema::SetupTable).ok());
    ASSERT_TRUE(setupCursor.deleteCurrent().ok());
    openSetupWindow();
    click("setupButton");
    box("phoneBox")->setText(QStringLiteral("555-0100"));
    click("setupButton");
    EXPECT_EQ(recordCount(setupDb, schema::SetupTable), 1);
    EXPECT_EQ(stored(setupDb, schema::SetupTable, schema::setup::CompanyPhone).toString(), "555-0100");
}

TEST_F(SetupPanelTest, openingReadsTheStoredLabelStyleByItsOwnRuleAndClosingWritesOneOrTwo)
{
    addCompany({{company::CompanyName, QStringLiteral("Skyline")}});
    openSetupWindow();
    const std::pair<QVariant, bool> cases[] = {{QVariant(1), true}, {QVariant(), true},
                                               {QVariant(2), false}, {QVariant(7), false}};
    for (const auto& [style, laser] : cases) {
        store::TableCursor cursor;
        ASSERT_TRUE(cursor.open(mainDb, schema::CompanyInfoTable).ok());
        EXPECT_TRUE(cursor.edit().ok());
        EXPECT_TRUE(cursor.setValue(company::LabelStyle, style).ok());
        ASSERT_TRUE(cursor.update().ok());
        // The opposite option first, so opening must set it.
        find<QRadioButton>(laser ? "tractorOption" : "laserOption")->setChecked(true);

        click("setupButton");
        EXPECT_EQ(find<QRadioButton>("laserOption")->isChecked(), laser) << style.toString().toStdString();
        EXPECT_EQ(find<QRadioButton>("tractorOption")->isChecked(), !laser);
        click("setupButton");
        EXPECT_EQ(storedCompany(company::LabelStyle).toInt(), laser ? 1 : 2);
    }
}

TEST_F(SetupPanelTest, offsetsAreStoredByTheOffsetRuleWhileTheBoxesKeepTheTypedText)
{
    addCompany({{company::LabelTopUp, 5}});
    openSetupWindow();
    click("setupButton");
    EXPECT_EQ(box("topRowOffsetBox")->text(), "5");
    EXPECT_EQ(box("leftColumnOffsetBox")->text(), "0");   // missing shows "0"
    const std::pair<const char*, const char*> typed[] = {
        {"topRowOffsetBox", "abc"}, {"middleRowOffsetBox", ""}, {"bottomRowOffsetBox",
                                                                 "9.9"}, {"leftColumnOffsetBox",
                                                                          "-3."}, {"rightColumnOffsetBox",
                                                                                   "1e2"}};
    for (const auto& [name, text] : typed)
        box(name)->setText(QString::fromLatin1(text));
    click("setupButton");
    EXPECT_EQ(storedCompany(company::LabelTopUp).toInt(), 0);
    EXPECT_EQ(storedCompany(company::LabelMiddleUp).toInt(), 0);
    EXPECT_EQ(storedCompany(company::LabelBottomUp).toInt(), 9);
    EXPECT_EQ(storedCompany(company::LabelLeft).toInt(), -3);
    EXPECT_EQ(storedCompany(company::LabelRight).toInt(), 100);
    EXPECT_EQ(box("bottomRowOffsetBox")->text(), "9.9");

    // Typed, the boxes take four characters: a label 3 mm too low (-170) and a whole inch.
    click("setupButton");
    const std::pair<const char*, const char*> keyed[] = {{"topRowOffsetBox", "-170"}, {"leftColumnOffsetBox",
                                                                                       "1440"},
                                                         {"middleRowOffsetBox", "12345"}};
    for (const auto& [name, text] : keyed) {
        box(name)->clear();
        QTest::keyClicks(box(name), QString::fromLatin1(text));
    }
    EXPECT_EQ(box("middleRowOffsetBox")->text(), "1234");
    click("setupButton");
    EXPECT_EQ(storedCompany(company::LabelTopUp).toInt(), -170);
    EXPECT_EQ(storedCompany(company::LabelLeft).toInt(), 1440);
}

TEST_F(SetupPanelTest, aDefaultLabelNamingNoTemplateSelectsNothingStoresEmptyAndShowsTheFirst)
{
    addTemplates({"Annual", "Oil Change"});
    addCompany({{company::DefLabel, QStringLiteral("Gone")}});
    openSetupWindow();
    click("setupButton");
    EXPECT_EQ(defaultList()->currentIndex(), -1);
    click("setupButton");
    EXPECT_TRUE(storedCompany(company::DefLabel).toString().isEmpty());
    EXPECT_FALSE(storedCompany(company::DefLabel).isNull());
    EXPECT_EQ(titleOnShow(), "Annual");
}

// Save stores the setup only; Cancel and Escape store nothing. Either way the card keeps its
// template, the body typed on it and the aircraft typed for the label.
TEST_F(SetupPanelTest, closingTheSetupKeepsTheCardAndOnlySaveStoresTheSettings)
{
    addTemplates({"Annual", "Oil Change", "Tires"});
    addCompany({{company::DefLabel, QStringLiteral("annual")}, {company::CompanyName, QStringLiteral("Acme")}});
    openSetupWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->card().pageForward();
    window->card().pageForward();
    ASSERT_EQ(window->session().storedTemplate().title, "Tires");
    auto& c = window->controls();
    c.bodyBox->setFocus();
    c.bodyBox->setPlainText(QStringLiteral("Tires body\nNext annual due 12-31-2027"));
    c.valueBoxes[0]->setText(QStringLiteral("N005TW"));
    c.valueBoxes[1]->setText(QStringLiteral("Cessna 172N"));

    const std::pair<const char*, std::function<void()>> closings[] = {
        {"Cancel", [&] { click("SetupCancelButton"); }},
        {"Escape", [&] { QTest::keyClick(find<QLineEdit>("companyNameBox"), Qt::Key_Escape); }},
        {"Save", [&] { click("setupButton"); }},
    };
    for (const auto& [how, close] : closings) {
        click("setupButton");
        ASSERT_TRUE(panelShown());
        EXPECT_EQ(find<QLineEdit>("companyNameBox")->text(), "Acme") << how;
        find<QLineEdit>("companyNameBox")->setText(QStringLiteral("Acme Aero"));
        defaultList()->setCurrentIndex(1);
        close();
        EXPECT_FALSE(panelShown()) << how;
        const bool saved = QString::fromLatin1(how) == "Save";
        EXPECT_EQ(storedCompany(company::CompanyName).toString(), saved ? "Acme Aero" : "Acme") << how;
        EXPECT_EQ(storedCompany(company::DefLabel).toString(), saved ? "Oil Change" : "annual") << how;
        EXPECT_EQ(titleOnShow(), "Tires") << how;
        EXPECT_EQ(c.bodyBox->toPlainText(), "Tires body\nNext annual due 12-31-2027") << how;
        EXPECT_EQ(c.valueBoxes[0]->text(), "N005TW") << how;
        EXPECT_EQ(c.valueBoxes[1]->text(), "Cessna 172N") << how;
        EXPECT_EQ(find<QPushButton>("setupButton")->text(), "Setup") << how;
        EXPECT_TRUE(find<QPushButton>("newButton")->isEnabled()) << how;
    }
    store::TemplateStore templates(mainDb);
    EXPECT_EQ(templates.load(**templates.find(QStringLiteral("Tires")))->body,
              templateRecord(QStringLiteral("Tires"))[schema::labels::Body].toString());
    EXPECT_TRUE(window->session().hasUnsavedChanges());  // still the user's to save or drop
}

TEST_F(SetupPanelTest, theDefaultLabelListOffersTheTemplatesAsTheyAreWhenThePanelOpens)
{
    addTemplates({"Annual", "Oil Change", "Tires"});
    addCompany({{company::DefLabel, QStringLiteral("Oil Change")}});
    openSetupWindow();
    window->card().pageForward();
    ASSERT_EQ(titleOnShow(), "Tires");
    window->templateEditor().DeleteTemplate();
    window->templateEditor().NewTemplate();
    window->controls().titleBoxes[0]->setText(QStringLiteral("Magneto"));
    window->templateEditor().CommitTitle(0);

    click("setupButton");
    QStringList offered;
    for (int i = 0; i < defaultList()->count(); ++i)
        offered << defaultList()->itemText(i);
    EXPECT_EQ(offered, (QStringList{"Annual", "Oil Change", "Magneto"}));
    EXPECT_EQ(defaultList()->currentText(), "Oil Change");
    EXPECT_EQ(window->session().storedTemplate().title, "Magneto");
}

TEST_F(SetupPanelTest, thePanelShowsTheShopsPhoneAndSavesItToBothRecords)
{
    addTemplates({"Annual"});
    addCompany({{company::CompanyPhone, QStringLiteral("old company phone")}});
    {
        store::TableCursor setupCursor;
        ASSERT_TRUE(setupCursor.open(setupDb, schema::SetupTable).ok());
        EXPECT_TRUE(setupCursor.edit().ok());
        EXPECT_TRUE(setupCursor.setValue(schema::setup::CompanyPhone, QStringLiteral("555-0100")).ok());
        ASSERT_TRUE(setupCursor.update().ok());
    }
    openSetupWindow();
    EXPECT_EQ(box("phoneBox")->text(), "old company phone");
    click("setupButton");
    // The shop's record, which prints and which every workstation shares, not this
    // workstation's copy.
    EXPECT_EQ(box("phoneBox")->text(), "old company phone");
    box("phoneBox")->setText(QStringLiteral("555-0111"));
    click("setupButton");
    EXPECT_EQ(stored(setupDb, schema::SetupTable, schema::setup::CompanyPhone).toString(), "555-0111");
    EXPECT_EQ(storedCompany(company::CompanyPhone).toString(), "555-0111");

    window.reset();
    openSetupWindow();
    EXPECT_EQ(box("phoneBox")->text(), "555-0111");
}

TEST_F(SetupPanelTest, aSetupRecordWithoutPhoneKeepsThePhoneStartUpShowed)
{
    addCompany({{company::CompanyPhone, QStringLiteral("541-555-0100")}});
    openSetupWindow();
    click("setupButton");
    EXPECT_EQ(box("phoneBox")->text(), "541-555-0100");
    click("setupButton");
    EXPECT_EQ(stored(setupDb, schema::SetupTable, schema::setup::CompanyPhone).toString(),
              "541-555-0100");
}

TEST_F(SetupPanelTest, aRefusedSaveShowsTheEnginesMessageAndKeepsThePanelOpenWithTheTypedText)
{
    addTemplates({"Annual"});
    addCompany({{company::CompanyName, QStringLiteral("Skyline")}});
    store::Database readOnlyMain;
    ASSERT_TRUE(readOnlyMain.open(mainDb.path(), schema::mainTables(),
                                  store::Database::Access::ReadOnly).ok());
    window = std::make_unique<mainwindow::MainWindow>(readOnlyMain, setupDb, dialogs);
    startup::wireSetupFeatures(*window);
    ASSERT_TRUE(window->load().ok());
    window->show();
    QCoreApplication::processEvents();

    click("setupButton");
    box("companyNameBox")->setText(QStringLiteral("Skyline Aviation"));
    click("setupButton");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QDir::toNativeSeparators(mainDb.path()))
                || dialogs.messages[0].text.contains(mainDb.path()));
    EXPECT_TRUE(panelShown());
    EXPECT_EQ(box("companyNameBox")->text(), "Skyline Aviation");
    EXPECT_EQ(find<QPushButton>("setupButton")->text(), "Save");
    EXPECT_FALSE(find<QPushButton>("printButton")->isEnabled());
    EXPECT_EQ(storedCompany(company::CompanyName).toString(), "Skyline");
    window.reset();
}

TEST_F(SetupPanelTest, tabMovesThroughTheSettingsInTheirOrder)
{
    openSetupWindow();
    click("setupButton");
    const char* const order[] = {"companyNameBox", "addressBox", "cityStateZipBox", "phoneBox", "RepairStationBox", "defaultLabelList",
                                 "topRowOffsetBox", "middleRowOffsetBox", "bottomRowOffsetBox", "leftColumnOffsetBox", "rightColumnOffsetBox"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget* next = find<QWidget>(order[i])->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisibleTo(window.get()))
            next = next->nextInFocusChain();
        EXPECT_EQ(next->objectName(), order[i + 1]) << "after " << order[i];
    }
}

}  // namespace

namespace {

// A second workstation on the same main database.
class SharedSetupTest : public SetupPanelTest {
protected:
    void otherStationSaves(const QString& name, const QString& signatory)
    {
        store::Database other;
        ASSERT_TRUE(other.open(mainDb.path(), schema::mainTables()).ok());
        store::TableCursor settings;
        ASSERT_TRUE(settings.open(other, schema::CompanyInfoTable).ok());
        ASSERT_TRUE(settings.edit().ok());
        EXPECT_TRUE(settings.setValue(company::CompanyName, name).ok());
        ASSERT_TRUE(settings.update().ok());
        addRecord(other, schema::MechanicsTable, {{schema::mechanics::Mechanics, signatory}});
    }
};

TEST_F(SharedSetupTest, openingThePanelShowsSettingsAndSignatoriesSavedElsewhere)
{
    addRecord(mainDb, schema::CompanyInfoTable, {{company::CompanyName, "Skyline Aero"}});
    openSetupWindow();
    otherStationSaves("Skyline Aero Services", "R. Jones IA 456");
    click("setupButton");
    EXPECT_EQ(box("companyNameBox")->text(), "Skyline Aero Services");
    EXPECT_EQ(find<QComboBox>("signatoryList")->findText("R. Jones IA 456"), 0);
}

TEST_F(SharedSetupTest, settingsSavedElsewhereWhileThePanelIsOpenAreShownNotOverwritten)
{
    addRecord(mainDb, schema::CompanyInfoTable, {{company::CompanyName, "Skyline Aero"}});
    openSetupWindow();
    click("setupButton");
    box("addressBox")->setText("1200 Hangar Road");
    otherStationSaves("Skyline Aero Services", "R. Jones IA 456");
    click("setupButton");
    EXPECT_TRUE(panelShown());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Another workstation saved the shop settings"));
    EXPECT_EQ(stored(mainDb, schema::CompanyInfoTable, company::CompanyName).toString(), "Skyline Aero Services");
    EXPECT_EQ(box("companyNameBox")->text(), "Skyline Aero Services");

    click("setupButton");   // checked, saved
    EXPECT_FALSE(panelShown());
    EXPECT_EQ(stored(mainDb, schema::CompanyInfoTable, company::CompanyName).toString(), "Skyline Aero Services");
}

}  // namespace
