#include "PrintInput.h"

#include "Journal.h"

#include "printing/BoxText.h"
#include "printing/LogoPicture.h"

namespace tagwright::journal {

namespace {

using printing::LabelSnapshot;

// The slots' boxes in Slot order: captions, then values.
QString LabelSnapshot::* const CaptionBoxes[6] = {&LabelSnapshot::Text19, &LabelSnapshot::Text20,
                                                  &LabelSnapshot::Text21, &LabelSnapshot::Text16,
                                                  &LabelSnapshot::Text17, &LabelSnapshot::Text18};
QString LabelSnapshot::* const ValueBoxes[6] = {&LabelSnapshot::Text3, &LabelSnapshot::Text4,
                                                &LabelSnapshot::Text5, &LabelSnapshot::Text6,
                                                &LabelSnapshot::Text7, &LabelSnapshot::Text8};

// An offset box as a number that the job reads back to the same twips.
QString numberText(double value)
{
    return QString::number(value, 'g', 17);
}

}  // namespace

JournalEntry entryFor(const LabelSnapshot& input, const PrintContext& context)
{
    using printing::boxtext::leadingNumber;
    JournalEntry e;
    e.templateTitle = context.templateTitle;
    for (std::size_t i = 0; i < 6; ++i)
        e.header[i] = {input.*CaptionBoxes[i], input.*ValueBoxes[i]};
    e.date = input.Text9;
    e.body = input.Text2;
    e.fontName = input.Text2Font.FontName;
    e.fontSize = input.Text2Font.FontSize;
    e.bold = input.Text2Font.FontBold;
    e.italic = input.Text2Font.FontItalic;
    e.logoFile = input.Picture1.isNull() ? QString() : context.logoFile;
    e.companyBlock = input.Check1 == 1;
    e.companyName = input.Text10;
    e.companyAddress = input.Text11;
    e.companyCityStateZip = input.Text12;
    e.companyPhone = input.Text13;
    e.signatureLine = input.Check2 != 0;
    e.signatory = input.Combo2;
    e.tractorFeed = context.tractorFeed;
    // The job prints the whole labels the copies box reads; tractor feed prints one.
    e.copies = context.tractorFeed ? 1 : int(std::max(0.0, leadingNumber(input.Text15)));
    for (int cell = 1; cell <= 6; ++cell) {
        if (input.cellMarked(cell))
            e.usedCells << cell;
    }
    e.offsets = {leadingNumber(input.Text22), leadingNumber(input.Text24),
                 leadingNumber(input.Text26), leadingNumber(input.Text23),
                 leadingNumber(input.Text25)};
    return e;
}

LabelSnapshot printInputFor(const JournalEntry& e)
{
    LabelSnapshot input;
    for (std::size_t i = 0; i < 6; ++i) {
        input.*CaptionBoxes[i] = e.header[i].caption;
        input.*ValueBoxes[i] = e.header[i].value;
    }
    input.Text9 = e.date;
    input.Text2 = e.body;
    input.Text2Font = {e.fontName, float(e.fontSize), e.bold, e.italic};
    input.Picture1 = e.logoFile.isEmpty() ? QImage()
                                          : printing::LogoPicture::boxPixelsFromFile(e.logoFile);
    input.Check1 = e.companyBlock ? 1 : 0;
    input.Text10 = e.companyName;
    input.Text11 = e.companyAddress;
    input.Text12 = e.companyCityStateZip;
    input.Text13 = e.companyPhone;
    input.Check2 = e.signatureLine ? 1 : 0;
    input.Combo2 = e.signatory;
    input.Text15 = QString::number(e.copies);
    for (int cell = 1; cell <= 6; ++cell)
        input.Label22[std::size_t(cell - 1)] = e.usedCells.contains(cell) ? QStringLiteral("X") : QString();
    input.Text22 = numberText(e.offsets.topRow);
    input.Text24 = numberText(e.offsets.middleRow);
    input.Text26 = numberText(e.offsets.bottomRow);
    input.Text23 = numberText(e.offsets.leftColumn);
    input.Text25 = numberText(e.offsets.rightColumn);
    return input;
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

store::StoreError recordPrint(store::Database& database, JournalEntry entry,
                              const QString& destination, const printing::PrintResult& result,
                              qint64* number)
{
    if (number)
        *number = -1;
    if (!leftTheProgram(result))
        return {};
    entry.number = -1;
    entry.printedAt = {};
    entry.workstation.clear();
    entry.user.clear();
    entry.destination = destination;
    entry.result = resultText(result);
    Journal journal(database);
    store::StoreError error = journal.add(entry);
    if (error.ok() && number)
        *number = entry.number;
    return error;
}

}  // namespace tagwright::journal
