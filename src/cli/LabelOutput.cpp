#include "LabelOutput.h"

#include "Command.h"
#include "ExactFileName.h"
#include "ShopDatabase.h"
#include "Terminal.h"

#include "journal/DirectJournal.h"
#include "printing/LabelPrinter.h"
#include "printing/PrintTarget.h"
#include "printing/QtPrinterSurface.h"
#include "printing/ValueRoom.h"
#include "printjob/PdfFileOutput.h"
#include "printjob/PrintPipeline.h"

#include <QFileInfo>
#include <QTextStream>

namespace tagwright::cli {

namespace {

using printjob::OutputProblem;
using printjob::PrintOutcome;

// A PDF file under exactly the bytes given: written where Qt can name it, then renamed to
// them as the label is placed.
class ExactPdfOutput : public printjob::PdfFileOutput {
public:
    ExactPdfOutput(const QString& given, ExactFileName& file)
        : PdfFileOutput(file.pathForQt()), m_given(given), m_file(file)
    {
    }

    QString complete(printing::PrinterSurface& surface) override
    {
        return PdfFileOutput::complete(surface).isEmpty() ? QString() : cannotWrite();
    }
    QString place() override
    {
        if (!PdfFileOutput::place().isEmpty() || !m_file.commit())
            return cannotWrite();
        return {};
    }
    QString destination() const override { return QFileInfo(m_given).absoluteFilePath(); }

private:
    QString cannotWrite() const
    {
        const QString why = errorString();
        return why.isEmpty() ? QStringLiteral("Cannot write the PDF file %1.").arg(m_given)
                             : QStringLiteral("Cannot write the PDF file %1: %2").arg(m_given, why);
    }

    QString m_given;
    ExactFileName& m_file;
};

// A system printer by the name given ("default" for the default one).
class NamedPrinterOutput : public printjob::LabelOutput {
public:
    NamedPrinterOutput(const Environment& environment, QString name)
        : m_environment(environment), m_name(std::move(name))
    {
    }

    store::Result<std::unique_ptr<printing::PrinterSurface>, OutputProblem>
    open(const QString&) override
    {
        QString message;
        int code = Failed;
        m_target = m_environment.openPrinter ? m_environment.openPrinter(m_name, message, code) : nullptr;
        if (!m_target) {
            return OutputProblem{code == Refused ? OutputProblem::Kind::Refused : OutputProblem::Kind::Failed,
                                 message.isEmpty() ? QStringLiteral("Printing to a system printer is not available.")
                                                   : message};
        }
        return std::unique_ptr<printing::PrinterSurface>(std::make_unique<printing::QtPrinterSurface>(*m_target));
    }
    bool sendsWhileComposing() const override { return true; }
    QString destination() const override { return m_name; }

private:
    const Environment& m_environment;
    QString m_name;
    std::unique_ptr<printing::PrintTarget> m_target;
};

// The exit code of a print, with its one line on stderr when it did not go as asked.
int finish(const PrintOutcome& outcome, QTextStream& err)
{
    using Trouble = PrintOutcome::JournalTrouble;
    if (outcome.journal == Trouble::NotBegun) {
        complain(err, QStringLiteral("The label was not sent to %1: the journal could not record it: %2")
                          .arg(outcome.destination, storeMessage(outcome.journalError)));
        return Failed;
    }
    switch (outcome.status) {
    case PrintOutcome::Status::Refused:
        complain(err, outcome.message);
        return Refused;
    case PrintOutcome::Status::Failed:
        complain(err, outcome.message);
        return Failed;
    case PrintOutcome::Status::Cancelled:
    case PrintOutcome::Status::Nothing:
    case PrintOutcome::Status::Printed:
        break;
    }
    if (outcome.journal == Trouble::NotSettled) {
        complain(err, QStringLiteral("The label went to %1, but the journal could not mark entry %2 \"%3\": %4")
                          .arg(outcome.destination)
                          .arg(outcome.entry)
                          .arg(outcome.result, storeMessage(outcome.journalError)));
        return Failed;
    }
    return Ok;
}

}  // namespace

printing::PrintResult composeLabel(printing::PrinterSurface& surface, const printing::PrintRequest& input)
{
    printing::LabelPrinter printer;
    return printer.PrintLabels(surface, input);
}

void warnOfOverlongValues(QTextStream& err, const printing::PrintResult& result)
{
    if (!result.overlong.isEmpty())
        complain(err, printing::overlongMessage(result.overlong) + QStringLiteral(" It was printed at 6 points."));
}

int sendLabel(const Invocation& invocation, const printing::PrintRequest& input, const LabelOutput& output)
{
    QTextStream& err = invocation.err;
    // The label is journaled on the connection the command read it through, when that is
    // open for writing; else the shop's database is opened only when a label is about to leave.
    journal::DirectJournal journal(
        [&](store::Database& db) { return openShopDatabase(output.setupPath, invocation.environment.dataFolder, db); },
        output.database);
    printjob::PrintPipeline pipeline(journal);
    // Both outputs measure alike, and the journal finds both disagree alike: one line says each.
    bool warned = false;
    bool disagreed = false;
    const auto send = [&](printjob::LabelOutput& to) {
        const PrintOutcome outcome = pipeline.print(input, output.facts, to);
        if (outcome.status == PrintOutcome::Status::Printed) {
            if (!warned)
                warnOfOverlongValues(err, outcome.job);
            warned = warned || !outcome.job.overlong.isEmpty();
            if (!disagreed && outcome.disagreement)
                complain(err, outcome.disagreement->sentence() + u'.');
            disagreed = disagreed || outcome.disagreement.has_value();
        }
        return finish(outcome, err);
    };
    if (output.pdf) {
        ExactFileName file(*output.pdf);
        if (file.isLink()) {
            complain(err, QStringLiteral("%1 is a symbolic link; Tagwright does not write through "
                                         "one. Choose another name, or remove the link.")
                              .arg(*output.pdf));
            return Refused;
        }
        if (!file.usable()) {
            complain(err, QStringLiteral("Cannot write the PDF file %1.").arg(*output.pdf));
            return Failed;
        }
        ExactPdfOutput pdf(*output.pdf, file);
        if (const int code = send(pdf); code != Ok)
            return code;
    }
    if (output.printer) {
        NamedPrinterOutput printer(invocation.environment, *output.printer);
        return send(printer);
    }
    return Ok;
}

}  // namespace tagwright::cli
