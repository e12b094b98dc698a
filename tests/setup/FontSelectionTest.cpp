#include "SetupWindowFixture.h"

#include "setup/FontSelection.h"

#include "mainwindow/TemplateCard.h"
#include "store/TemplateStore.h"

#include <QPlainTextEdit>
#include <QPushButton>

using namespace tagwright;
using test::addRecord;
using test::templateRecord;
namespace schema = store::schema;
namespace labels = schema::labels;

namespace {

QFont chosenFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(12);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

class FontButton : public test::SetupWindowTest {
protected:
    QFont bodyFont() { return find<QPlainTextEdit>("bodyEditor")->font(); }
    QVariant storedLabel(const QString& field) { return stored(mainDb, schema::LabelsTable, field); }
};

TEST_F(FontButton, doesNothingWithoutTemplates)
{
    openSetupWindow();
    dialogs.fontAnswer = chosenFont();
    click("fontButton");
    EXPECT_EQ(dialogs.fontDialogShown, 0);
    EXPECT_NE(bodyFont().family(), "Courier New");
}

TEST_F(FontButton, aTemplateWithoutFontStartsPlainMsSansSerifEvenThoughItsBodyShowsBold)
{
    addRecord(mainDb, schema::LabelsTable, {{labels::Description, QStringLiteral("Plain")}});
    openSetupWindow();
    EXPECT_TRUE(bodyFont().bold());
    click("fontButton");
    ASSERT_EQ(dialogs.fontDialogShown, 1);
    EXPECT_EQ(dialogs.fontDialogInitial.family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(dialogs.fontDialogInitial.pointSizeF(), 8.25);
    EXPECT_FALSE(dialogs.fontDialogInitial.bold());
    EXPECT_FALSE(dialogs.fontDialogInitial.italic());
}

TEST_F(FontButton, aStoredFontMissingItsSizeBoldOrItalicEndsWithoutTheDialog)
{
    store::TemplateStore templates(mainDb);
    for (const QString& missing : {labels::Size, labels::Bold, labels::Italic}) {
        QVariantMap record = templateRecord(missing);
        record.remove(missing);
        addRecord(mainDb, schema::LabelsTable, record);
        const store::Result<std::optional<qint64>> id = templates.find(missing);
        ASSERT_TRUE(id.ok() && *id);
        const store::Result<store::Template> stored = templates.load(**id);
        ASSERT_TRUE(stored.ok());
        EXPECT_FALSE(setup::initialDialogFont(*stored)) << missing.toStdString();
        ASSERT_TRUE(templates.remove(stored->key).ok());
    }
    QVariantMap record = templateRecord(QStringLiteral("Sizeless"));
    record.remove(labels::Size);
    addRecord(mainDb, schema::LabelsTable, record);
    openSetupWindow();
    click("fontButton");
    EXPECT_EQ(dialogs.fontDialogShown, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FontButton, aSavedTemplateTakesTheFontAtOnceWithoutItsSaveButton)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    openSetupWindow();
    dialogs.fontAnswer = chosenFont();
    click("fontButton");
    EXPECT_EQ(dialogs.fontDialogInitial.family(), "Arial");
    EXPECT_DOUBLE_EQ(dialogs.fontDialogInitial.pointSizeF(), 10.0);
    EXPECT_EQ(storedLabel(labels::Font).toString(), "Courier New");
    EXPECT_DOUBLE_EQ(storedLabel(labels::Size).toDouble(), 12.0);
    EXPECT_TRUE(storedLabel(labels::Bold).toBool());
    EXPECT_TRUE(storedLabel(labels::Italic).toBool());
    EXPECT_EQ(bodyFont().family(), "Courier New");
    EXPECT_DOUBLE_EQ(bodyFont().pointSizeF(), 12.0);
    EXPECT_TRUE(bodyFont().bold() && bodyFont().italic());
    EXPECT_FALSE(find<QPushButton>("saveButton")->isEnabled());
}

// Bold and italic each go where they belong: a font that is one and not the other.
TEST_F(FontButton, boldAndItalicAreEachStoredAsChosen)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    openSetupWindow();
    for (const bool bold : {true, false}) {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPointSizeF(9);
        font.setBold(bold);
        font.setItalic(!bold);
        dialogs.fontAnswer = font;
        click("fontButton");
        EXPECT_EQ(storedLabel(labels::Bold).toBool(), bold);
        EXPECT_EQ(storedLabel(labels::Italic).toBool(), !bold);
        EXPECT_EQ(bodyFont().bold(), bold);
        EXPECT_EQ(bodyFont().italic(), !bold);
    }
}

TEST_F(FontButton, aSavedTemplateKeepsTheBodyTextTypedBeforeTheFontWasChosen)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual"), QStringLiteral("old")));
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Tires")));
    openSetupWindow();
    find<QPlainTextEdit>("bodyEditor")->setPlainText(QStringLiteral("typed"));
    dialogs.fontAnswer = chosenFont();
    click("fontButton");
    EXPECT_EQ(find<QPlainTextEdit>("bodyEditor")->toPlainText(), "typed");
    dialogs.choiceAnswers = {QStringLiteral("Save")};
    window->card().pageForward();
    EXPECT_EQ(storedLabel(labels::Body).toString(), "typed");
    EXPECT_EQ(storedLabel(labels::Font).toString(), "Courier New");
}

TEST_F(FontButton, aNewTemplateShowsTheFontAtOnceButStoresItOnlyWhenSaved)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    openSetupWindow();
    ASSERT_TRUE(window->cards().newTemplate().ok());
    dialogs.fontAnswer = chosenFont();
    click("fontButton");
    EXPECT_EQ(bodyFont().family(), "Courier New");
    EXPECT_EQ(recordCount(mainDb, schema::LabelsTable), 1);
    EXPECT_EQ(storedLabel(labels::Font).toString(), "Arial");
    EXPECT_EQ(window->session().storedTemplate().fontName, "Courier New");

    window->session().setTitle(QStringLiteral("New one"));
    ASSERT_TRUE(window->cards().save().ok());
    store::TableCursor check;
    ASSERT_TRUE(check.open(mainDb, schema::LabelsTable).ok());
    ASSERT_TRUE(check.findFirst(labels::Description, QStringLiteral("New one")));
    EXPECT_EQ(check.value(labels::Font).toString(), "Courier New");
    EXPECT_TRUE(check.value(labels::Italic).toBool());
}

TEST_F(FontButton, cancelChangesNeitherTheRecordNorTheBodyBox)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    openSetupWindow();
    const QFont before = bodyFont();
    dialogs.fontAnswer.reset();
    click("fontButton");
    EXPECT_EQ(dialogs.fontDialogShown, 1);
    EXPECT_EQ(bodyFont(), before);
    EXPECT_EQ(storedLabel(labels::Font).toString(), "Arial");
    EXPECT_DOUBLE_EQ(storedLabel(labels::Size).toDouble(), 10.0);
}

// What the font dialog hands back: an installed family, and a whole point size.
QFont dialogFont(const QString& family, double points, bool bold = false)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

TEST_F(FontButton, okWithoutAChangeStoresNothing)
{
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    addRecord(mainDb, schema::LabelsTable, {{labels::Description, QStringLiteral("Plain")}});
    openSetupWindow();
    dialogs.fontAnswer = dialogFont(QStringLiteral("Liberation Sans"), 10);
    click("fontButton");
    EXPECT_EQ(storedLabel(labels::Font).toString(), "Arial");
    EXPECT_EQ(bodyFont().family(), "Arial");

    window->card().pageForward();
    ASSERT_EQ(window->session().storedTemplate().title, "Plain");
    // "MS Sans Serif" 8.25 shows in the dialog as its installed family at 8 points.
    dialogs.fontAnswer = dialogFont(QStringLiteral("Liberation Sans"), 8);
    click("fontButton");
    store::TableCursor check;
    ASSERT_TRUE(check.open(mainDb, schema::LabelsTable).ok());
    ASSERT_TRUE(check.findFirst(labels::Description, QStringLiteral("Plain")));
    EXPECT_TRUE(check.value(labels::Font).isNull());
    EXPECT_TRUE(check.value(labels::Size).isNull());
}

TEST_F(FontButton, aChosenFamilyStandingForAWindowsNameIsStoredUnderThatName)
{
    struct Case {
        const char* stored;
        const char* chosen;
        const char* expected;
    };
    const Case cases[] = {
        {"Arial", "Liberation Serif", "Times New Roman"},
        {"Arial", "Liberation Mono", "Courier New"},
        {"Times New Roman", "Liberation Sans", "Arial"},
        {"Arial", "DejaVu Serif", "DejaVu Serif"},
        // The template's own family keeps its name, only the size changes.
        {"MS Sans Serif", "Liberation Sans", "MS Sans Serif"},
    };
    for (const Case& c : cases) {
        QVariantMap record = templateRecord(QStringLiteral("Annual"));
        record[labels::Font] = QString::fromLatin1(c.stored);
        addRecord(mainDb, schema::LabelsTable, record);
        openSetupWindow();
        dialogs.fontAnswer = dialogFont(QString::fromLatin1(c.chosen), 12, true);
        click("fontButton");
        EXPECT_EQ(storedLabel(labels::Font).toString(), c.expected) << c.chosen;
        EXPECT_DOUBLE_EQ(storedLabel(labels::Size).toDouble(), 12.0) << c.chosen;
        EXPECT_EQ(bodyFont().family(), c.expected) << c.chosen;
        window.reset();
        store::TableCursor all;
        ASSERT_TRUE(all.open(mainDb, schema::LabelsTable).ok());
        while (all.hasCurrent())
            ASSERT_TRUE(all.deleteCurrent().ok());
    }
}

}  // namespace
