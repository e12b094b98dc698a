#pragma once

#include "PrintRequest.h"

#include <QString>
#include <QStringList>

namespace tagwright::printing {

class PrinterSurface;

// The captions of the header values that would not fit in their places even condensed to
// 6 points, were `request` printed on `surface`. The label is composed with the surface's
// own metrics but nothing is drawn, no job is opened and the surface's font is left as it
// was, so this can be asked before a print command.
QStringList overlongValues(PrinterSurface& surface, const PrintRequest& request);

// "The Make value is too long to print in its place." for the captions overlongValues
// names (or a job's PrintResult::overlong); an empty text for none.
QString overlongMessage(const QStringList& captions);

}  // namespace tagwright::printing
