#include "mainwindow/MenuWindowFixture.h"
#include "support/RecordingOutput.h"

#include "mainwindow/PrintCommand.h"
#include "signoff/SignOffFeatures.h"
#include "signoff/SignatoryProfileDialog.h"
#include "signoff/StatementPicker.h"
#include "store/ShopRecord.h"
#include "store/SignatoryStore.h"
#include "store/Statements.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tagwright;
using printing::RecordedOp;
using signoff::SignatoryProfileDialog;
using store::SignatoryProfile;

namespace {

// The window as the program assembles it, printing tractor-feed labels at once onto
// recording surfaces.
class SignOffTest : public test::MenuWindowTest {
protected:
    void open()
    {
        openMenuWindow(2);
        window->printCommand().setOutput(std::make_unique<test::RecordingOutput>(&printed));
    }

    QComboBox* list() const { return window->controls().signatoryList; }
    QPlainTextEdit* body() const { return window->controls().bodyBox; }

    // The dialog's answer: fills the profile's boxes the user would type into, then saves.
    std::function<bool(QDialog&)> typeProfile(const QString& kind, const QString& number,
                                              const QString& name = QString())
    {
        return [=](QDialog& dialog) {
            if (!name.isNull())
                dialog.findChild<QLineEdit*>(QStringLiteral("signatoryName"))->setText(name);
            dialog.findChild<QComboBox*>(QStringLiteral("certificateKind"))->setEditText(kind);
            dialog.findChild<QLineEdit*>(QStringLiteral("certificateNumber"))->setText(number);
            return true;
        };
    }

    std::optional<SignatoryProfile> stored(const QString& name)
    {
        const store::Result<std::optional<SignatoryProfile>> profile = store::SignatoryStore(mainDb).find(name);
        EXPECT_TRUE(profile.ok());
        return profile ? *profile : std::nullopt;
    }

    QStringList entries() const
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->itemText(i);
        return names;
    }

    // The text under the signature line of the last label printed.
    QString signOff() const
    {
        QStringList lines;
        for (const RecordedOp& op : printed.last()) {
            if (op.kind == RecordedOp::Kind::Text && op.y >= 3900 && !op.text.contains(QStringLiteral(" of ")))
                lines << op.text;
        }
        return lines.join(u'|');
    }

    QVector<QVector<RecordedOp>> printed;
};

}  // namespace

TEST_F(SignOffTest, f2EditsTheSignatorysProfileANewNameIsStoredAndListed)
{
    test::addRecord(mainDb, store::schema::MechanicsTable, {{store::schema::mechanics::Mechanics, QStringLiteral("J. Smith")}});
    open();
    list()->setCurrentIndex(0);
    dialogs.dialogAnswer = typeProfile(QStringLiteral("A&P"), QStringLiteral(" 3456789 "));
    QTest::keyClick(list(), Qt::Key_F2);
    EXPECT_EQ(stored(QStringLiteral("J. Smith")), (SignatoryProfile{"J. Smith", "A&P", "3456789"}));

    // A name typed and not yet stored becomes a signatory with its certificate.
    list()->setEditText(QStringLiteral("Walk In"));
    dialogs.dialogAnswer = typeProfile(QStringLiteral("Repairman"), QStringLiteral("R-77"));
    QTest::keyClick(list(), Qt::Key_F2);
    EXPECT_EQ(stored(QStringLiteral("Walk In")), (SignatoryProfile{"Walk In", "Repairman", "R-77"}));
    EXPECT_EQ(entries(), (QStringList{"J. Smith", "Walk In"}));
    EXPECT_EQ(list()->currentText(), "Walk In");

    // Renamed onto another signatory's name: refused, nothing changes.
    dialogs.dialogAnswer = typeProfile(QStringLiteral("A&P"), QStringLiteral("1"), QStringLiteral("j. smith"));
    QTest::keyClick(list(), Qt::Key_F2);
    EXPECT_EQ(dialogs.messages.back().text, "J. Smith is a signatory already.");
    EXPECT_EQ(stored(QStringLiteral("Walk In"))->certificateNumber, "R-77");
    // Renamed freely: the entry follows, and Delete finds the record by its new name.
    dialogs.dialogAnswer = typeProfile(QStringLiteral("Repairman"), QStringLiteral("R-77"), QStringLiteral("W. Inn"));
    QTest::keyClick(list(), Qt::Key_F2);
    EXPECT_EQ(entries(), (QStringList{"J. Smith", "W. Inn"}));
    dialogs.choiceAnswers = {"Remove"};
    list()->lineEdit()->selectAll();
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_FALSE(stored(QStringLiteral("W. Inn")));
}

TEST_F(SignOffTest, printAsksAboutAMissingNumberOrDateAndAddTheNumberCompletesTheLabel)
{
    open();
    list()->setEditText(QStringLiteral("Walk In"));

    window->printCommand().Print();   // no answer: Cancel
    EXPECT_TRUE(printed.isEmpty());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions.back().text.startsWith("This label names Walk In without a certificate number."));
    EXPECT_EQ(dialogs.questionChoices.back(), (QStringList{"Print anyway", "Add the number"}));

    dialogs.choiceAnswers = {"Print anyway"};
    window->printCommand().Print();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(signOff(), "Walk In");

    dialogs.choiceAnswers = {"Add the number"};
    dialogs.dialogAnswer = [](QDialog& dialog) {
        // The cursor starts in the number's box.
        EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>(QStringLiteral("certificateNumber")));
        dialog.findChild<QLineEdit*>(QStringLiteral("certificateNumber"))->setText(QStringLiteral("778899"));
        return true;
    };
    window->printCommand().Print();
    ASSERT_EQ(printed.size(), 2);
    EXPECT_EQ(signOff(), "Walk In, Cert. No. 778899");
    EXPECT_EQ(entries(), QStringList{"Walk In"});

    // Complete: no question. Undated: asked, without a number to add.
    const std::size_t asked = dialogs.questions.size();
    window->printCommand().Print();
    EXPECT_EQ(printed.size(), 3);
    EXPECT_EQ(dialogs.questions.size(), asked);
    window->controls().dateBox->clear();
    window->printCommand().Print();
    EXPECT_EQ(dialogs.questions.back().text.section(u'\n', 0, 0), "This label has no date.");
    EXPECT_EQ(dialogs.questionChoices.back(), QStringList{"Print anyway"});
    EXPECT_EQ(printed.size(), 3);
}

TEST_F(SignOffTest, theStationNumberIsKeptInSetupAndPrintedInTheCompanyBlock)
{
    open();
    QPushButton* setup = window->controls().setupButton;
    setup->click();
    QLineEdit* station = find<QLineEdit>("RepairStationBox");
    QTest::keyClicks(station, QStringLiteral("NWAR123K-AND-MUCH-MORE"));
    EXPECT_EQ(station->text(), "NWAR123K-AND-MUC");   // 16 characters
    station->setText(QStringLiteral(" NWAR123K "));
    setup->click();

    const store::Result<store::ShopRecord> shop = store::readShopRecord(mainDb);
    ASSERT_TRUE(shop.ok());
    EXPECT_EQ(shop->repairStation, "NWAR123K");
    list()->setEditText(QString());
    window->printCommand().Print();
    ASSERT_EQ(printed.size(), 1);
    const bool inBlock = std::any_of(printed[0].begin(), printed[0].end(), [](const RecordedOp& op) {
        return op.text == QStringLiteral("Repair Station No. NWAR123K");
    });
    EXPECT_TRUE(inBlock);
}

TEST_F(SignOffTest, insertStatementPutsTheChosenWordingAtTheBodysCursor)
{
    open();
    body()->setPlainText(QStringLiteral("Annual inspection. "));
    body()->moveCursor(QTextCursor::End);
    dialogs.dialogAnswer = [](QDialog& dialog) {
        dialog.show();   // as running it does: Enter reaches the default button only when it shows
        auto* statements = dialog.findChild<QListWidget*>(QStringLiteral("statementList"));
        statements->setCurrentRow(1);
        QTest::keyClick(statements, Qt::Key_Return);
        return dialog.result() == QDialog::Accepted;
    };
    action("actionInsertStatement")->trigger();
    const QString airworthy = store::startingStatements()[1].wording;
    EXPECT_EQ(body()->toPlainText(), "Annual inspection. " + airworthy);
    EXPECT_EQ(window->session().body(), body()->toPlainText());

    // From the body's own menu, at the cursor put there.
    body()->moveCursor(QTextCursor::Start);
    std::unique_ptr<QMenu> menu(window->findChild<signoff::SignOffFeatures*>()->bodyContextMenu({0, 0}));
    menu->findChild<QAction*>(QStringLiteral("contextInsertStatement"))->trigger();
    EXPECT_TRUE(body()->toPlainText().startsWith(airworthy + "Annual inspection. "));
}

TEST_F(SignOffTest, theShopsStatementsAreEditedAddedAndRemovedInThePicker)
{
    open();
    const auto picker = std::make_unique<signoff::StatementPicker>(mainDb, dialogs);
    auto* statements = picker->findChild<QListWidget*>(QStringLiteral("statementList"));
    auto* wording = picker->findChild<QPlainTextEdit*>(QStringLiteral("statementWording"));
    const auto click = [&](const char* name) { picker->findChild<QPushButton*>(QLatin1String(name))->click(); };
    const auto storedStatements = [&] {
        QVector<store::Statement> all;
        EXPECT_TRUE(store::StatementStore(mainDb).all(all).ok());
        return all;
    };

    statements->setCurrentRow(1);
    wording->setPlainText(QStringLiteral("I certify that this aircraft has been inspected in accordance with an annual inspection and was determined to be in airworthy condition."));
    // Leaving it asks; Cancel stays on it, Save stores it.
    statements->setCurrentRow(2);
    EXPECT_EQ(statements->currentRow(), 1);
    dialogs.choiceAnswers = {"Save"};
    statements->setCurrentRow(2);
    EXPECT_EQ(statements->currentRow(), 2);
    EXPECT_TRUE(storedStatements()[1].wording.contains("an annual inspection"));

    click("newButton");
    QTest::keyClicks(picker->findChild<QLineEdit*>(QStringLiteral("statementTitle")), QStringLiteral("Oil"));
    wording->setPlainText(QStringLiteral("Oil and filter changed."));
    click("saveButton");
    EXPECT_EQ(storedStatements().last().title, "Oil");   // the title typed over the selected one
    EXPECT_EQ(storedStatements().size(), 6);

    statements->setCurrentRow(0);
    dialogs.choiceAnswers = {"Remove"};
    click("removeButton");
    EXPECT_EQ(storedStatements().size(), 5);
    EXPECT_EQ(statements->count(), 5);

    // Changed and inserted without Save: into this label only.
    wording->setPlainText(QStringLiteral("Just this once."));
    click("insertButton");
    EXPECT_EQ(picker->chosenWording(), "Just this once.");
    EXPECT_NE(storedStatements()[0].wording, "Just this once.");
}

TEST(SignatoryProfileDialog, showsThePrintedLineTakesNoMoreThanTheLabelHoldsAndNeedsAName)
{
    SignatoryProfileDialog dialog({"J. R. Mitchell", "A&P/IA", "2468135"}, SignatoryProfileDialog::Start::Kind);
    auto* printedLine = dialog.findChild<QLabel*>(QStringLiteral("printedLine"));
    EXPECT_EQ(printedLine->text(), "J. R. Mitchell, A&P/IA 2468135");
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("signatoryName"));
    name->setText(QString(50, u'x'));
    EXPECT_EQ(dialog.profile().name.size(), store::SignatoryNameLength);
    name->setText(QStringLiteral("  "));
    EXPECT_FALSE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->isEnabled());
}
