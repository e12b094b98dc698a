#pragma once

#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"

namespace tagwright::printing {
class PrintTarget;
}

namespace tagwright::mainwindow {

// The jobs Print would send for `window`, composed onto `target` with the same composers on
// the same Qt surface, but by a printer of their own: the window's print position and busy
// state stay as they are, and no underscores come back into its value boxes. Preview and
// PDF export are looks at the label, not prints of it.
printing::PrintResult composeLabelCopy(const printing::PrintRequest& request,
                                       printing::PrintTarget& target);

}  // namespace tagwright::mainwindow
