#include "LabelOutput.h"

#include "Command.h"
#include "ExactFileName.h"
#include "ShopDatabase.h"
#include "Terminal.h"

#include "journal/PrintInput.h"
#include "printing/LabelPrinter.h"
#include "printing/PdfTarget.h"
#include "printing/PrintTarget.h"
#include "printing/QtPrinterSurface.h"
#include "printing/ValueRoom.h"
#include "store/Database.h"

#include <QFileInfo>
#include <QTextStream>

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

// Opens the shop's journal the first time a label needs recording.
class JournalWriter {
public:
    JournalWriter(const Invocation& invocation, const LabelOutput& output)
        : m_invocation(invocation), m_output(output)
    {
    }

    // False, with the line on stderr, when the label went out but could not be recorded.
    bool record(const QString& destination, const PrintResult& result)
    {
        if (!journal::leftTheProgram(result))
            return true;
        store::StoreError error;
        if (!m_database.isOpen())
            error = openShopDatabase(m_output.setupPath, m_invocation.environment.dataFolder, m_database);
        if (error.ok())
            error = journal::recordPrint(m_database, m_output.entry, destination, result);
        if (!error.ok()) {
            complain(m_invocation.err, QStringLiteral("The label went to %1, but the journal could "
                                                      "not record it: %2")
                                           .arg(destination, storeMessage(error)));
        }
        return error.ok();
    }

private:
    const Invocation& m_invocation;
    const LabelOutput& m_output;
    store::Database m_database;
};

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
    const auto warnOnce = [&](const PrintResult& result) {
        if (!warned)
            warnOfOverlongValues(err, result);
        warned = warned || !result.overlong.isEmpty();
    };
    JournalWriter journal(invocation, output);
    if (output.pdf) {
        const QString cannotWrite = QStringLiteral("Cannot write the PDF file %1.").arg(*output.pdf);
        ExactFileName file(*output.pdf);
        if (file.isLink()) {
            complain(err, QStringLiteral("%1 is a symbolic link; Tagwright does not write through "
                                         "one. Choose another name, or remove the link.")
                              .arg(*output.pdf));
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
        if (!target.finish()) {
            complain(err, QStringLiteral("Cannot write the PDF file %1: %2").arg(*output.pdf, target.errorString()));
            return Failed;
        }
        if (!file.commit()) {
            complain(err, cannotWrite);
            return Failed;
        }
        if (!journal.record(QFileInfo(*output.pdf).absoluteFilePath(), result))
            return Failed;
    }
    if (output.printer) {
        QString message;
        int code = Failed;
        std::unique_ptr<printing::PrintTarget> target =
            invocation.environment.openPrinter
                ? invocation.environment.openPrinter(*output.printer, message, code) : nullptr;
        if (!target) {
            complain(err, message.isEmpty() ? QStringLiteral("Printing to a system printer is not available.")
                                            : message);
            return code;
        }
        printing::QtPrinterSurface surface(*target);
        const PrintResult result = composeLabel(surface, input, tractor);
        const bool recorded = journal.record(*output.printer, result);
        if (const int code = report(result, err); code != Ok)
            return code;
        warnOnce(result);
        if (!recorded)
            return Failed;
    }
    return Ok;
}

}  // namespace tagwright::cli
