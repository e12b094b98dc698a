#include "PrintInput.h"

#include "Journal.h"

#include "printing/LogoPicture.h"

#include <cmath>

namespace tagwright::journal {

namespace {

// When, where and by whom a label left, and where it went.
void stamp(JournalEntry& entry, const QString& destination)
{
    entry.number = -1;
    entry.printedAt = QDateTime::currentDateTimeUtc();
    entry.workstation = Journal::thisWorkstation();
    entry.user = Journal::thisUser();
    entry.destination = destination;
}

}  // namespace

JournalEntry entryFor(const printing::PrintRequest& request, const PrintContext& context)
{
    const printing::LabelContent& label = request.label;
    JournalEntry e;
    e.templateTitle = context.templateTitle;
    for (printing::HeaderSlot slot : printing::AllHeaderSlots) {
        const printing::HeaderLine& line = label.line(slot);
        e.header[std::size_t(slot)] = {line.caption, line.value};
    }
    e.date = label.date;
    e.body = label.body;
    e.fontName = label.bodyFont.FontName;
    e.fontSize = label.bodyFont.FontSize;
    e.bold = label.bodyFont.FontBold;
    e.italic = label.bodyFont.FontItalic;
    e.logoFile = label.logo.isNull() ? QString() : context.logoFile;
    e.companyBlock = label.printsCompany;
    e.companyName = label.company.name;
    e.companyAddress = label.company.address;
    e.companyCityStateZip = label.company.cityStateZip;
    e.companyPhone = label.company.phone;
    e.signatureLine = label.printsSignature;
    e.signatory = label.signatory;
    e.certificateKind = label.certificateKind;
    e.certificateNumber = label.certificateNumber;
    e.repairStation = label.company.repairStation;
    e.tractorFeed = context.tractorFeed;
    // The job prints the whole labels of the copies; tractor feed prints one.
    e.copies = context.tractorFeed ? 1 : int(std::max(0.0, std::floor(request.sheet.copies)));
    for (int cell = 1; cell <= 6; ++cell) {
        if (request.sheet.used.contains(cell))
            e.usedCells << cell;
    }
    const printing::PrintOffsets& o = request.sheet.offsets;
    e.offsets = {o.topRow, o.middleRow, o.bottomRow, o.leftColumn, o.rightColumn};
    return e;
}

printing::PrintRequest printRequestFor(const JournalEntry& e)
{
    printing::PrintRequest request;
    printing::LabelContent& label = request.label;
    for (printing::HeaderSlot slot : printing::AllHeaderSlots) {
        const HeaderLine& line = e.header[std::size_t(slot)];
        label.line(slot) = {line.caption, line.value};
    }
    label.date = e.date;
    label.body = e.body;
    label.bodyFont = {e.fontName, float(e.fontSize), e.bold, e.italic};
    label.logo = e.logoFile.isEmpty() ? QImage() : printing::LogoPicture::boxPixelsFromFile(e.logoFile);
    label.printsCompany = e.companyBlock;
    label.company = {e.companyName, e.companyAddress, e.companyCityStateZip, e.companyPhone,
                     e.repairStation};
    label.printsSignature = e.signatureLine;
    label.signatory = e.signatory;
    label.certificateKind = e.certificateKind;
    label.certificateNumber = e.certificateNumber;
    request.sheet.copies = e.copies;
    request.sheet.used = {};
    for (int cell : e.usedCells)
        request.sheet.used.insert(cell);
    request.sheet.offsets = {e.offsets.topRow, e.offsets.middleRow, e.offsets.bottomRow,
                             e.offsets.leftColumn, e.offsets.rightColumn};
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

std::optional<JournalEntry> entryToRecord(JournalEntry entry, const QString& destination,
                                          const printing::PrintResult& result)
{
    if (!leftTheProgram(result))
        return std::nullopt;
    stamp(entry, destination);
    entry.result = resultText(result);
    return entry;
}

store::StoreError beginPrint(store::Database& database, JournalEntry& entry, const QString& destination)
{
    stamp(entry, destination);
    return Journal(database).begin(entry);
}

store::StoreError recordPrint(store::Database& database, JournalEntry entry,
                              const QString& destination, const printing::PrintResult& result,
                              qint64* number)
{
    if (number)
        *number = -1;
    std::optional<JournalEntry> stamped = entryToRecord(std::move(entry), destination, result);
    if (!stamped)
        return {};
    store::StoreError error = Journal(database).add(*stamped);
    if (error.ok() && number)
        *number = stamped->number;
    return error;
}

}  // namespace tagwright::journal
