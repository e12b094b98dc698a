#pragma once

#include <QString>
#include <QStringList>

#include "PrinterSurface.h"

#include <functional>
#include <optional>

namespace tagwright::printing {

class JobSteps;

// What a label stock decides when body lines are placed: the width a line may take and
// what happens when the next line would lie below the room (cell change on a laser sheet,
// page change on tractor feed). All positions in twips.
struct BodyPlacement {
    float widthLimit = 0;
    std::function<float()> left;         // x of every body line (LabelX)
    std::function<float()> top;          // the lower rule (BodyTop); lines start 30 below
    // Whether a line whose top lies at `lineTop`, one `lineHeight` high, has room where it
    // is; a line without room moves on.
    std::function<bool(float lineTop, float lineHeight)> fits;
    // Moves on to fresh room. Returns false when moving on cannot give room (the line is
    // then placed where it is instead of moving on forever).
    std::function<bool()> moveOn;
};

// The lines the body prints as, in the surface's current font: lines end at carriage
// return + line feed, and a line wider than the limit is broken at the last space, slash,
// backslash, hyphen or colon that keeps it within the limit (a space is dropped, the others
// begin the next line), or cut in front of the character that does not fit. A space at the
// line's first position gives an empty line and is dropped; every other line takes at least
// one character, so the scan always ends.
QStringList wrapBody(JobSteps& steps, PrinterSurface& surface, const QString& body,
                     float widthLimit);

// Prints the lines one below the other, one TextHeight("A") apart from 30 below the top,
// moving on to fresh room whenever a line does not fit.
void placeLines(JobSteps& steps, PrinterSurface& surface, const QStringList& lines,
                const BodyPlacement& placement);

// How often placing `lineCount` lines moves on, found by positioning them without printing
// anything: a job that numbers its pages knows the count before the first page. The
// placement's moveOn must then only say whether fresh room is to be had, drawing nothing.
int countMoves(JobSteps& steps, PrinterSurface& surface, qsizetype lineCount,
               const BodyPlacement& placement);

// A body's lines kept for the font they were wrapped in: every copy of a label wraps alike,
// so a job of many copies measures its body once (again only when a font the printer
// refused left another one in force).
class WrappedBody {
public:
    const QStringList& lines(JobSteps& steps, PrinterSurface& surface, const QString& body,
                             float widthLimit);

private:
    std::optional<FontState> m_font;
    QString m_body;
    float m_widthLimit = 0;
    QStringList m_lines;
};

}  // namespace tagwright::printing
