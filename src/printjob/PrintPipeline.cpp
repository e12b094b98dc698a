#include "PrintPipeline.h"

#include "journal/EntrySink.h"
#include "journal/PrintInput.h"
#include "printing/PrinterSurface.h"

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

Status statusOf(const printing::PrintResult& job)
{
    switch (job.status) {
    case printing::PrintResult::Status::Refused: return Status::Refused;
    case printing::PrintResult::Status::Failed: return Status::Failed;
    case printing::PrintResult::Status::Printed: break;
    }
    return job.jobsSent > 0 ? Status::Printed : Status::Nothing;
}

}  // namespace

PrintOutcome PrintPipeline::print(const printing::PrintRequest& request,
                                  const journal::PrintFacts& facts, LabelOutput& output)
{
    store::Result<std::unique_ptr<printing::PrinterSurface>, OutputProblem> surface =
        output.open(facts.templateTitle);
    if (!surface)
        return notOpened(surface.error());

    PrintOutcome outcome;
    outcome.job = m_printer.PrintLabels(**surface, request);
    const Placement placement = output.place(**surface);
    outcome.status = statusOf(outcome.job);
    outcome.message = outcome.job.message;
    outcome.note = placement.note;
    outcome.destination = output.destination();
    if (!placement.failure.isEmpty()) {
        outcome.status = Status::Failed;
        outcome.message = placement.failure;
    }

    if (placement.placed && journal::leftTheProgram(outcome.job)) {
        journal::JournalEntry entry = journal::entryFor(request, facts);
        entry.destination = outcome.destination;
        entry.result = journal::resultText(outcome.job);
        outcome.journalError = m_journal.record(std::move(entry));
    }
    return outcome;
}

}  // namespace tagwright::printjob
