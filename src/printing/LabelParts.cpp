#include "LabelParts.h"

#include "JobSteps.h"
#include "PrintRequest.h"
#include "PrintResult.h"
#include "PrinterSurface.h"

namespace tagwright::printing {

namespace {

constexpr float HeaderFontSize = 8;
constexpr float SmallestValueSize = 6;
constexpr float CondenseStep = 0.25f;
constexpr float BodyFontIncrease = 2;
constexpr double LowestPosition = -32768;
constexpr double HighestPosition = 32767;

void setHeaderFont(JobSteps& steps, PrinterSurface& surface, bool bold)
{
    steps([&] { surface.FontName(QStringLiteral("Arial")); });
    steps([&] { surface.FontSize(HeaderFontSize); });
    steps([&] { surface.FontBold(bold); });
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
    const float room = valueEnd - surface.CurrentX();
    float width = 0;
    steps([&] { width = surface.TextWidth(value); });
    for (float size = HeaderFontSize; width > room && size > SmallestValueSize;) {
        size -= CondenseStep;
        steps([&] { surface.FontSize(size); });
        steps([&] { width = surface.TextWidth(value); });
    }
    steps([&] { surface.Print(value, LineEnd::EndLine); });
    return width <= room;
}

bool printDateField(JobSteps& steps, PrinterSurface& surface, float x, float y,
                    const QString& date, float valueEnd)
{
    return printHeaderField(steps, surface, x, y, QStringLiteral("Date"), date, valueEnd);
}

void printCompanyBlock(JobSteps& steps, PrinterSurface& surface, const CompanyBlock& company,
                       float centre, float top)
{
    constexpr int CompanyPitch = 150;
    const QString* lines[4] = {&company.name, &company.address, &company.cityStateZip,
                               &company.phone};
    for (int line = 0; line < 4; ++line) {
        const QString& text = *lines[line];
        // Each line is measured in the weight it prints in: the name is bold.
        setHeaderFont(steps, surface, line == 0);
        steps([&] { surface.CurrentX(centre - surface.TextWidth(text) / 2); });
        steps([&] { surface.CurrentY(top + float(line * CompanyPitch)); });
        steps([&] { surface.Print(text, LineEnd::EndLine); });
    }
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
