#pragma once

#include <QString>

#include <functional>

namespace tagwright::printing {

class JobSteps;
class PrinterSurface;

// What a label stock decides when body lines are placed: the width a line may take and
// what happens when the next line would lie below the room (cell change on a laser sheet,
// page change on tractor feed). All positions in twips.
struct BodyPlacement {
    float widthLimit = 0;
    std::function<float()> left;         // x of every body line (LabelX)
    std::function<float()> top;          // the lower rule (BodyTop); lines start 30 below
    std::function<float()> bottomLimit;  // a line whose top lies below this moves on
    // Moves on to fresh room. Returns false when moving on cannot give room (the line is
    // then placed where it is instead of moving on forever).
    std::function<bool()> moveOn;
};

// Places the body text line by line in the surface's current font: lines end at carriage
// return + line feed, and a line wider than the limit is broken at the last space, slash,
// backslash, hyphen or colon that keeps it within the limit (a space is dropped, the others
// begin the next line), or cut in front of the character that does not fit. A space at the
// line's first position gives an empty line and is dropped; every other line takes at least
// one character, so the scan always ends.
void placeBody(JobSteps& steps, PrinterSurface& surface, const QString& body,
               const BodyPlacement& placement);

}  // namespace tagwright::printing
