#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tagwright::printing {

class JobSteps;
class PrinterSurface;

// Pieces both label stocks print the same way. Positions in twips.

// Header and company text is "Arial" 8 point; only the weight is set per item, so a body
// set in italic leaves the next label's header italic too, as shops' labels always were.
// The caption and ": " print in regular weight, the value in bold behind them. A value that
// would reach past `valueEnd` (the next column's start, or the rule's end) prints condensed,
// in the largest size down to 6 points that fits; the next item sets its size again. Returns
// false when the value does not fit even at 6 points (it is printed at 6 all the same).
bool printHeaderField(JobSteps& steps, PrinterSurface& surface, float x, float y,
                      const QString& caption, const QString& value, float valueEnd);
bool printDateField(JobSteps& steps, PrinterSurface& surface, float x, float y,
                    const QString& date, float valueEnd);
// The captions of values that did not fit, each once, in the order met.
struct OverlongValues {
    QStringList captions;
    void note(const QString& caption)
    {
        if (!captions.contains(caption))
            captions.append(caption);
    }
};
// The company block: name (bold), address, city-state-zip and phone, each line centred on
// `centre`, 150 twips apart from `top`. An empty box prints an empty line. A repair station
// number goes on the phone line when that line then still lies between the rule's ends
// `left` and `right`, else on a line of its own under it (7 points, 590 below `top`), above
// the upper rule.
struct CompanyBlock;
void printCompanyBlock(JobSteps& steps, PrinterSurface& surface, const CompanyBlock& company,
                       float centre, float top, float left, float right);
// "Repair Station No. NWAR123K".
QString repairStationText(const QString& number);

// What follows the signatory's name: "A&P/IA 2468135", "Cert. No. 2468135" without a kind,
// the kind alone without a number; empty without either.
QString certificateText(const QString& kind, const QString& number);
// The name and the certificate on one line: "J. R. Mitchell, A&P/IA 2468135".
QString signOffLine(const QString& name, const QString& certificate);
// The signatory's name from (`x`, the current line) in "Arial" 8 regular, followed by the
// certificate: on the name's line when the whole ends before `ruleEnd`, the signature rule's
// end, else on the next line. A line that would reach past `rightEnd` prints condensed, down
// to 6 points.
void printSignOff(JobSteps& steps, PrinterSurface& surface, float x, const QString& name,
                  const QString& certificate, float ruleEnd, float rightEnd);

// Label positions are kept in 16-bit variables by shops' label layouts; an offset that
// moves any of them outside -32768..32767 is refused before printing. Returns the message
// naming the offset (twips), or an empty text when the range [lowest, highest] fits.
QString offsetRangeRefusal(const QString& boxRole, double offset, double lowest, double highest);

// The frame every print command runs in: a refusal stops it before anything prints;
// otherwise `compose` runs, and a job abandoned after repeated printer errors is discarded
// and reported. Counts the jobs handed to the printer.
struct PrintResult;
PrintResult runPrintJob(PrinterSurface& surface, const QString& refusal,
                        const std::function<void()>& compose);

// The body font: the template's face, weight and style, 2 points larger than on screen.
struct BodyFont;
void setBodyFont(JobSteps& steps, PrinterSurface& surface, const BodyFont& font);

}  // namespace tagwright::printing
