#include "PrintInput.h"

#include "printing/LogoPicture.h"

#include <cmath>

namespace tagwright::journal {

JournalEntry entryFor(const printing::PrintRequest& request, const PrintFacts& facts)
{
    JournalEntry e;
    e.facts = facts;
    if (request.label.logo.isNull())
        e.facts.logoFile.clear();
    e.request = request;
    e.request.label.logo = QImage();
    // The job prints the whole labels of the copies; tractor feed prints one.
    e.request.sheet.copies = e.tractorFeed() ? 1 : std::max(0.0, std::floor(request.sheet.copies));
    return e;
}

printing::PrintRequest printRequestFor(const JournalEntry& e)
{
    printing::PrintRequest request = e.request;
    request.label.logo = e.facts.logoFile.isEmpty()
                             ? QImage()
                             : printing::LogoPicture::boxPixelsFromFile(e.facts.logoFile);
    return request;
}

bool leftTheProgram(const printing::PrintResult& result)
{
    return result.jobsSent > 0 || result.status == printing::PrintResult::Status::Failed;
}

QString resultText(const printing::PrintResult& result)
{
    if (result.status == printing::PrintResult::Status::Failed)
        return QStringLiteral("Failed: ") + result.message;
    return QStringLiteral("Printed");
}

}  // namespace tagwright::journal
