#include "PrintPipeline.h"

#include "journal/EntrySink.h"
#include "journal/PrintInput.h"
#include "printing/RecordingSurface.h"
#include "printing/ValueRoom.h"

namespace tagwright::printjob {

using Status = PrintOutcome::Status;

namespace {

PrintOutcome notOpened(const OutputProblem& problem)
{
    PrintOutcome outcome;
    switch (problem.kind) {
    case OutputProblem::Kind::Cancelled: outcome.status = Status::Cancelled; break;
    case OutputProblem::Kind::Refused: outcome.status = Status::Refused; break;
    case OutputProblem::Kind::Failed: outcome.status = Status::Failed; break;
    }
    outcome.message = problem.message;
    return outcome;
}

// The outcome of a composed job before anything is placed.
PrintOutcome composed(const printing::PrintResult& job)
{
    PrintOutcome outcome;
    outcome.job = job;
    outcome.message = job.message;
    switch (job.status) {
    case printing::PrintResult::Status::Refused: outcome.status = Status::Refused; break;
    case printing::PrintResult::Status::Failed: outcome.status = Status::Failed; break;
    case printing::PrintResult::Status::Printed:
        outcome.status = job.jobsSent > 0 ? Status::Printed : Status::Nothing;
        break;
    }
    return outcome;
}

}  // namespace

PrintOutcome PrintPipeline::print(const printing::PrintRequest& request,
                                  const journal::PrintFacts& facts, LabelOutput& output,
                                  const OverlongQuestion& askOverlong)
{
    store::Result<std::unique_ptr<printing::PrinterSurface>, OutputProblem> opened =
        output.open(facts.templateTitle);
    if (!opened)
        return notOpened(opened.error());
    printing::PrinterSurface& surface = **opened;
    if (askOverlong) {
        // Measured on the output's own surface, before anything is printed.
        const QStringList overlong = printing::overlongValues(surface, request);
        if (!overlong.isEmpty() && !askOverlong(overlong))
            return notOpened({OutputProblem::Kind::Cancelled, {}});
    }
    journal::JournalEntry entry = journal::entryFor(request, facts);
    entry.destination = output.destination();
    PrintOutcome outcome = output.sendsWhileComposing() ? sendWhileComposing(request, entry, surface)
                                                        : composeThenPlace(request, entry, surface, output);
    outcome.destination = entry.destination;
    return outcome;
}

// A printer takes each job as it is composed: the job is composed once on paper first, so a
// refused job or one with nothing to print sends nothing and is not journaled.
PrintOutcome PrintPipeline::sendWhileComposing(const printing::PrintRequest& request,
                                               journal::JournalEntry& entry,
                                               printing::PrinterSurface& surface)
{
    printing::RecordingSurface rehearsal(printing::RecordingSurface::defaultFonts());
    PrintOutcome planned = composed(printing::LabelPrinter().PrintLabels(rehearsal, request));
    if (planned.status != Status::Printed)
        return planned;
    entry.result = journal::PrintingResult;
    if (!begin(entry, planned))
        return planned;
    PrintOutcome outcome = composed(m_printer.PrintLabels(surface, request));
    outcome.entry = planned.entry;
    outcome.disagreement = planned.disagreement;
    settle(entry, journal::resultText(outcome.job), outcome);
    return outcome;
}

// A file is written and checked first; its entry, saying how it ended, is written before the
// file is put in place under its name, and says "Failed: " and why if it cannot be.
PrintOutcome PrintPipeline::composeThenPlace(const printing::PrintRequest& request,
                                             journal::JournalEntry& entry,
                                             printing::PrinterSurface& surface, LabelOutput& output)
{
    PrintOutcome outcome = composed(m_printer.PrintLabels(surface, request));
    if (outcome.status != Status::Printed)
        return outcome;
    if (const QString failure = output.complete(surface); !failure.isEmpty()) {
        outcome.status = Status::Failed;
        outcome.message = failure;
        return outcome;
    }
    entry.result = journal::resultText(outcome.job);
    outcome.result = entry.result;
    if (!begin(entry, outcome))
        return outcome;
    if (const QString failure = output.place(); !failure.isEmpty()) {
        outcome.status = Status::Failed;
        outcome.message = failure;
        settle(entry, QStringLiteral("Failed: ") + failure, outcome);
        return outcome;
    }
    outcome.note = output.note();
    return outcome;
}

bool PrintPipeline::begin(journal::JournalEntry& entry, PrintOutcome& outcome)
{
    outcome.journalError = m_journal.begin(entry);
    outcome.entry = entry.number;
    outcome.disagreement = entry.disagreement;
    if (outcome.journalError.ok())
        return true;
    outcome.status = Status::Failed;
    outcome.journal = PrintOutcome::JournalTrouble::NotBegun;
    outcome.message = QStringLiteral("The label was not sent to %1: the journal could not record it: %2")
                          .arg(entry.destination, outcome.journalError.describe());
    return false;
}

void PrintPipeline::settle(const journal::JournalEntry& entry, const QString& result,
                           PrintOutcome& outcome)
{
    outcome.result = result;
    outcome.journalError = m_journal.settle(entry, result);
    if (!outcome.journalError.ok())
        outcome.journal = PrintOutcome::JournalTrouble::NotSettled;
}

}  // namespace tagwright::printjob
