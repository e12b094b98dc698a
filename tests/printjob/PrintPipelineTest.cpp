#include "printjob/PdfFileOutput.h"
#include "printjob/PrintPipeline.h"

#include "journal/DirectJournal.h"
#include "journal/Journal.h"
#include "store/Schema.h"
#include "support/TempFolder.h"
#include "support/Results.h"

#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace tagwright;
using printjob::PrintOutcome;
using Status = printjob::PrintOutcome::Status;

namespace {

// Prints into PDF files of a folder, journaled into a shop's database file there.
class PrintPipelineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store::Database created;
        ASSERT_TRUE(created.create(shopFile(), store::schema::mainStatements()).ok());
    }

    QString shopFile() const { return folder.file(store::schema::MainFileName); }

    PrintOutcome printTo(const QString& file, const printing::PrintRequest& request,
                         store::Database::Access access = store::Database::Access::ReadWrite)
    {
        journal::DirectJournal journal([this, access](store::Database& db) {
            return db.open(shopFile(), store::schema::mainTables(), access);
        });
        printjob::PrintPipeline pipeline(journal);
        printjob::PdfFileOutput pdf(file);
        return pipeline.print(request, {QStringLiteral("Annual"), QString()}, pdf);
    }

    QVector<journal::JournalEntry> entries()
    {
        store::Database db;
        EXPECT_TRUE(db.open(shopFile(), store::schema::mainTables()).ok());
        const QVector<journal::JournalEntry> found = test::expectValue(journal::Journal(db).find({}, {}));
        return found;
    }

    test::TempFolder folder;
};

TEST_F(PrintPipelineTest, aLabelThatLeftIsJournaledOnceAndNothingElseIs)
{
    printing::PrintRequest request;
    request.label.body = QStringLiteral("Inspected.");
    request.label.registration = {QStringLiteral("Reg #"), QStringLiteral("N123AB")};

    const QString printedFile = folder.file(QStringLiteral("printed.pdf"));
    const PrintOutcome printed = printTo(printedFile, request);
    EXPECT_EQ(printed.status, Status::Printed);
    EXPECT_EQ(printed.destination, printedFile);
    EXPECT_TRUE(printed.journalError.ok());

    printing::PrintRequest none = request;
    none.sheet.copies = 0;
    printing::PrintRequest full = request;
    full.sheet.used = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(::symlink("printed.pdf", QFile::encodeName(folder.file(QStringLiteral("link.pdf"))).constData()), 0);
    const struct {
        const char* what;
        QString file;
        printing::PrintRequest request;
        Status status;
    } unsent[] = {
        {"copies reading none", folder.file(QStringLiteral("none.pdf")), none, Status::Nothing},
        {"every cell used", folder.file(QStringLiteral("full.pdf")), full, Status::Refused},
        {"a folder that is not there", folder.file(QStringLiteral("gone/label.pdf")), request, Status::Failed},
        {"a symbolic link", folder.file(QStringLiteral("link.pdf")), request, Status::Refused},
    };
    for (const auto& c : unsent) {
        const PrintOutcome outcome = printTo(c.file, c.request);
        EXPECT_EQ(outcome.status, c.status) << c.what;
        EXPECT_EQ(outcome.status == Status::Nothing, outcome.message.isEmpty()) << c.what;
        EXPECT_FALSE(QFile::exists(c.file) && c.status != Status::Refused) << c.what;
    }

    const QVector<journal::JournalEntry> journaled = entries();
    ASSERT_EQ(journaled.size(), 1);
    EXPECT_EQ(journaled[0].destination, printedFile);
    EXPECT_EQ(journaled[0].result, "Printed");
    EXPECT_EQ(journaled[0].registration(), "N123AB");
    EXPECT_EQ(journaled[0].facts.templateTitle, "Annual");
}

// No label leaves without its entry: a journal that cannot take it keeps the file from its
// place, and the outcome says why.
TEST_F(PrintPipelineTest, aJournalThatCannotTakeTheEntryKeepsTheLabelFromLeaving)
{
    printing::PrintRequest request;
    request.label.body = QStringLiteral("Inspected.");
    const QString file = folder.file(QStringLiteral("label.pdf"));
    const PrintOutcome outcome = printTo(file, request, store::Database::Access::ReadOnly);
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.journal, PrintOutcome::JournalTrouble::NotBegun);
    EXPECT_TRUE(outcome.message.contains(QStringLiteral("the journal could not record it")))
        << outcome.message.toStdString();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(entries().isEmpty());
}

}  // namespace
