#include "LabelOutput.h"

#include "Command.h"
#include "ExactFileName.h"
#include "ShopDatabase.h"
#include "Terminal.h"

#include "journal/Journal.h"
#include "journal/PrintInput.h"
#include "printing/LabelPrinter.h"
#include "printing/PdfTarget.h"
#include "printing/PrintTarget.h"
#include "printing/QtPrinterSurface.h"
#include "printing/RecordingSurface.h"
#include "printing/ValueRoom.h"
#include "store/Database.h"

#include <QFileInfo>
#include <QTextStream>

#include <functional>

namespace tagwright::cli {

namespace {

using printing::PrintResult;

// Exit code and message of a job that did not print.
int report(const PrintResult& result, QTextStream& err)
{
    switch (result.status) {
    case PrintResult::Status::Printed:
        return Ok;
    case PrintResult::Status::Refused:
        complain(err, result.message);
        return Refused;
    case PrintResult::Status::Failed:
        complain(err, result.message);
        return Failed;
    }
    return Failed;
}

// The shop's journal: on the command's own connection when it has one open for writing,
// else opened the first time a label needs recording. A label whose entry cannot be written
// does not leave.
class LabelJournal {
public:
    LabelJournal(const Invocation& invocation, const LabelOutput& output)
        : m_invocation(invocation), m_output(output)
    {
    }

    // Writes the entry of a label about to leave, saying how it ended (one transaction):
    // a PDF is complete by then and only waits to be put in place. False, with the line
    // on stderr, when the entry cannot be written: then nothing may be placed.
    bool record(const QString& destination, const PrintResult& result, qint64& number)
    {
        store::StoreError error = open();
        if (error.ok())
            error = journal::recordPrint(*m_database, m_output.entry, destination, result, &number);
        return written(error, destination);
    }

    // Begins the entry of a label about to be sent, saying "Printing" until settle() writes
    // how it ended. False, with the line on stderr, when the entry cannot be written: then
    // nothing may be sent.
    bool begin(const QString& destination, qint64& number)
    {
        store::StoreError error = open();
        journal::JournalEntry entry = m_output.entry;
        if (error.ok())
            error = journal::beginPrint(*m_database, entry, destination);
        number = entry.number;
        return written(error, destination);
    }

    // False, with the line on stderr, when the entry keeps saying what it said.
    bool settle(qint64 number, const QString& destination, const QString& result)
    {
        const store::StoreError error = journal::Journal(*m_database).settle(number, result);
        if (!error.ok()) {
            complain(m_invocation.err, QStringLiteral("The label went to %1, but the journal could not "
                                                      "mark entry %2 \"%3\": %4")
                                           .arg(destination).arg(number).arg(result, storeMessage(error)));
        }
        return error.ok();
    }

private:
    store::StoreError open()
    {
        if (m_database)
            return {};
        if (m_output.database && m_output.database->isOpen()) {
            m_database = m_output.database;
            return {};
        }
        store::StoreError error = openShopDatabase(m_output.setupPath, m_invocation.environment.dataFolder, m_own);
        if (error.ok())
            m_database = &m_own;
        return error;
    }

    bool written(const store::StoreError& error, const QString& destination)
    {
        if (!error.ok()) {
            complain(m_invocation.err, QStringLiteral("The label was not sent to %1: the journal could not "
                                                      "record it: %2")
                                           .arg(destination, storeMessage(error)));
        }
        return error.ok();
    }

    const Invocation& m_invocation;
    const LabelOutput& m_output;
    store::Database* m_database = nullptr;
    store::Database m_own;
};

// Says once that a header value was printed smaller than its box.
using Warning = std::function<void(const PrintResult&)>;

int sendPdf(const Invocation& invocation, const printing::PrintRequest& input, bool tractor,
            const QString& pdf, LabelJournal& journal, const Warning& warnOnce)
{
    QTextStream& err = invocation.err;
    const QString cannotWrite = QStringLiteral("Cannot write the PDF file %1.").arg(pdf);
    ExactFileName file(pdf);
    if (file.isLink()) {
        complain(err, QStringLiteral("%1 is a symbolic link; Tagwright does not write through "
                                     "one. Choose another name, or remove the link.")
                          .arg(pdf));
        return Refused;
    }
    if (!file.usable()) {
        complain(err, cannotWrite);
        return Failed;
    }
    printing::PdfTarget target(file.pathForQt());
    printing::QtPrinterSurface surface(target);
    const PrintResult result = composeLabel(surface, input, tractor);
    if (const int code = report(result, err); code != Ok)
        return code;
    warnOnce(result);
    if (!journal::leftTheProgram(result))
        return Ok;
    if (!target.complete()) {
        complain(err, QStringLiteral("Cannot write the PDF file %1: %2").arg(pdf, target.errorString()));
        return Failed;
    }
    const QString destination = QFileInfo(pdf).absoluteFilePath();
    qint64 number = -1;
    if (!journal.record(destination, result, number))
        return Failed;
    if (!target.place() || !file.commit()) {
        const QString why = target.errorString().isEmpty() ? cannotWrite
                                                           : QStringLiteral("Cannot write the PDF file %1: %2").arg(pdf, target.errorString());
        complain(err, why);
        // A failure of its own: the result is kept whatever the journal says.
        [[maybe_unused]] const bool settled = journal.settle(number, destination, QStringLiteral("Failed: ") + why);
        return Failed;
    }
    return Ok;
}

int sendToPrinter(const Invocation& invocation, const printing::PrintRequest& input, bool tractor,
                  const QString& printer, LabelJournal& journal, const Warning& warnOnce)
{
    QTextStream& err = invocation.err;
    QString message;
    int code = Failed;
    std::unique_ptr<printing::PrintTarget> target =
        invocation.environment.openPrinter ? invocation.environment.openPrinter(printer, message, code) : nullptr;
    if (!target) {
        complain(err, message.isEmpty() ? QStringLiteral("Printing to a system printer is not available.")
                                        : message);
        return code;
    }
    // The job is composed once on paper first: a refused job or one with nothing to print
    // sends nothing and is not journaled.
    printing::RecordingSurface rehearsal(printing::RecordingSurface::defaultFonts());
    const PrintResult planned = composeLabel(rehearsal, input, tractor);
    if (planned.status == PrintResult::Status::Refused)
        return report(planned, err);
    if (planned.jobsSent == 0)
        return Ok;
    qint64 number = -1;
    if (!journal.begin(printer, number))
        return Failed;
    printing::QtPrinterSurface surface(*target);
    const PrintResult result = composeLabel(surface, input, tractor);
    const bool settled = journal.settle(number, printer, journal::resultText(result));
    if (const int failed = report(result, err); failed != Ok)
        return failed;
    warnOnce(result);
    return settled ? Ok : Failed;
}

}  // namespace

PrintResult composeLabel(printing::PrinterSurface& surface, const printing::PrintRequest& input,
                         bool tractor)
{
    printing::LabelPrinter printer;
    return printer.PrintLabels(surface, input, tractor);
}

void warnOfOverlongValues(QTextStream& err, const PrintResult& result)
{
    if (!result.overlong.isEmpty())
        complain(err, printing::overlongMessage(result.overlong) + QStringLiteral(" It was printed at 6 points."));
}

int sendLabel(const Invocation& invocation, const printing::PrintRequest& input, bool tractor,
              const LabelOutput& output)
{
    QTextStream& err = invocation.err;
    // Both outputs measure alike: one line says it.
    bool warned = false;
    const Warning warnOnce = [&](const PrintResult& result) {
        if (!warned)
            warnOfOverlongValues(err, result);
        warned = warned || !result.overlong.isEmpty();
    };
    LabelJournal journal(invocation, output);
    if (output.pdf) {
        if (const int code = sendPdf(invocation, input, tractor, *output.pdf, journal, warnOnce); code != Ok)
            return code;
    }
    if (output.printer)
        return sendToPrinter(invocation, input, tractor, *output.printer, journal, warnOnce);
    return Ok;
}

}  // namespace tagwright::cli
