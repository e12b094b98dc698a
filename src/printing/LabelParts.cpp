#include "LabelParts.h"

#include "JobSteps.h"
#include "PrintRequest.h"
#include "PrintResult.h"
#include "PrinterSurface.h"

#include <algorithm>

namespace tagwright::printing {

namespace {

constexpr float HeaderFontSize = 8;
constexpr float SmallestValueSize = 6;
constexpr float CondenseStep = 0.25f;
constexpr float BodyFontIncrease = 2;
constexpr float StationLineSize = 7;
constexpr float StationLineRaise = 10;   // twips
constexpr double LowestPosition = -32768;
constexpr double HighestPosition = 32767;

void setHeaderFont(JobSteps& steps, PrinterSurface& surface, bool bold)
{
    steps([&] { surface.FontName(QStringLiteral("Arial")); });
    steps([&] { surface.FontSize(HeaderFontSize); });
    steps([&] { surface.FontBold(bold); });
}

// Lowers the font size from what is set until `text` is at most `room` wide, down to
// 6 points; false when it is wider even then.
bool condenseToFit(JobSteps& steps, PrinterSurface& surface, const QString& text, float room)
{
    float size = HeaderFontSize;
    float width = 0;
    steps([&] {
        size = surface.FontSize();
        width = surface.TextWidth(text);
    });
    while (width > room && size > SmallestValueSize) {
        size = std::max(SmallestValueSize, size - CondenseStep);
        steps([&] { surface.FontSize(size); });
        steps([&] { width = surface.TextWidth(text); });
    }
    return width <= room;
}

}  // namespace

bool printHeaderField(JobSteps& steps, PrinterSurface& surface, float x, float y,
                      const QString& caption, const QString& value, float valueEnd)
{
    setHeaderFont(steps, surface, false);
    steps([&] { surface.CurrentX(x); });
    steps([&] { surface.CurrentY(y); });
    steps([&] { surface.Print(caption + QStringLiteral(": "), LineEnd::StayOnLine); });
    steps([&] { surface.FontBold(true); });
    const bool fits = condenseToFit(steps, surface, value, valueEnd - surface.CurrentX());
    steps([&] { surface.Print(value, LineEnd::EndLine); });
    return fits;
}

bool printDateField(JobSteps& steps, PrinterSurface& surface, float x, float y,
                    const QString& date, float valueEnd)
{
    return printHeaderField(steps, surface, x, y, QStringLiteral("Date"), date, valueEnd);
}

QString repairStationText(const QString& number)
{
    return QStringLiteral("Repair Station No. ") + number;
}

void printCompanyBlock(JobSteps& steps, PrinterSurface& surface, const CompanyBlock& company,
                       float centre, float top, float left, float right)
{
    constexpr int CompanyPitch = 150;
    QStringList lines{company.name, company.address, company.cityStateZip, company.phone};
    QString ownLine;
    if (!company.repairStation.isEmpty()) {
        const QString station = repairStationText(company.repairStation);
        const QString joined = company.phone.isEmpty() ? station : company.phone + QStringLiteral(", ") + station;
        float width = 0;
        setHeaderFont(steps, surface, false);
        steps([&] { width = surface.TextWidth(joined); });
        if (width / 2 <= std::min(centre - left, right - centre))
            lines[3] = joined;
        else
            ownLine = station;
    }
    const auto printCentred = [&](const QString& text, float y) {
        steps([&] { surface.CurrentX(centre - surface.TextWidth(text) / 2); });
        steps([&] { surface.CurrentY(y); });
        steps([&] { surface.Print(text, LineEnd::EndLine); });
    };
    for (int line = 0; line < 4; ++line) {
        // Each line is measured in the weight it prints in: the name is bold.
        setHeaderFont(steps, surface, line == 0);
        printCentred(lines[line], top + float(line * CompanyPitch));
    }
    if (!ownLine.isEmpty()) {
        // A fifth line at the block's pitch would sit on the upper rule: a point smaller and
        // a little higher, its descenders end above the rule.
        steps([&] { surface.FontSize(StationLineSize); });
        printCentred(ownLine, top + float(4 * CompanyPitch) - StationLineRaise);
    }
}

QString certificateText(const QString& kind, const QString& number)
{
    if (number.isEmpty())
        return kind;
    return (kind.isEmpty() ? QStringLiteral("Cert. No.") : kind) + u' ' + number;
}

QString signOffLine(const QString& name, const QString& certificate)
{
    return certificate.isEmpty() ? name : name + QStringLiteral(", ") + certificate;
}

void printSignOff(JobSteps& steps, PrinterSurface& surface, float x, const QString& name,
                  const QString& certificate, float ruleEnd, float rightEnd)
{
    const auto printLine = [&](const QString& text) {
        steps([&] { surface.FontSize(HeaderFontSize); });
        steps([&] { surface.CurrentX(x); });
        // Too wide even at 6 points only with more than the profile takes: it prints all the same.
        (void)condenseToFit(steps, surface, text, rightEnd - x);
        steps([&] { surface.Print(text, LineEnd::EndLine); });
    };
    const QString whole = signOffLine(name, certificate);
    float width = 0;
    steps([&] { width = surface.TextWidth(whole); });
    if (certificate.isEmpty() || width <= ruleEnd - x) {
        printLine(whole);
        return;
    }
    printLine(name);
    printLine(certificate);
}

PrintResult runPrintJob(PrinterSurface& surface, const QString& refusal,
                        const std::function<void()>& compose)
{
    PrintResult result;
    if (!refusal.isEmpty()) {
        result.status = PrintResult::Status::Refused;
        result.message = refusal;
        return result;
    }
    const int jobsBefore = surface.jobsSent();
    try {
        compose();
    } catch (const JobAbandoned& abandoned) {
        surface.KillDoc();
        result.status = PrintResult::Status::Failed;
        result.errorNumber = abandoned.error.number();
        result.message = abandoned.error.isFileFailure() ? abandoned.error.message()
                                                         : QStringLiteral("Printer error %1: %2")
                                                               .arg(abandoned.error.number())
                                                               .arg(abandoned.error.message());
    }
    result.jobsSent = surface.jobsSent() - jobsBefore;
    return result;
}

QString offsetRangeRefusal(const QString& boxRole, double offset, double lowest, double highest)
{
    if (lowest >= LowestPosition && highest <= HighestPosition)
        return {};
    return QStringLiteral("The %1 offset \"%2\" moves the label outside the printable range "
                          "(-32768 to 32767 twips). Enter a smaller number under \"Adjust "
                          "Print Position on Labels\".")
        .arg(boxRole, QString::number(offset, 'f', 0));
}

void setBodyFont(JobSteps& steps, PrinterSurface& surface, const BodyFont& font)
{
    steps([&] { surface.FontName(font.FontName); });
    steps([&] { surface.FontBold(font.FontBold); });
    steps([&] { surface.FontItalic(font.FontItalic); });
    steps([&] { surface.FontSize(font.FontSize + BodyFontIncrease); });
}

}  // namespace tagwright::printing
