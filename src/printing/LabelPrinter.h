#pragma once

#include "PrintRequest.h"
#include "PrintResult.h"

#include <functional>

namespace tagwright::printing {

class PrinterSurface;

// The window's print-time variables, in twips. Each job sets them afresh; afterwards they
// keep what the last label left.
struct LabelPosition {
    int LabelCell = 0;  // laser sheet cell 1..6 of the label being printed, 0 before the first
    int LabelX = 0;     // left edge of the label
    int LabelY = 0;     // top of the label, lowered by the raises of the header
    int BodyTop = 0;    // the lower rule; body lines start 30 below it
};

// Composes labels onto a printer surface. The window keeps one
// for its life; the command line makes one per run.
class LabelPrinter {
public:
    // Runs after each row of the logo, where the window lets waiting events run.
    void setRowPause(std::function<void()> rowPause) { m_rowPause = std::move(rowPause); }

    // Laser / inkjet sheets of six: the requested number of labels into the cells not yet
    // used, one job per full sheet and one at the end. Empty values of printed header lines
    // come back filled with underscores.
    PrintResult PrintLaserLabels(PrinterSurface& surface, const LabelContent& label,
                                 const SheetRequest& sheet);
    // Continuous tractor-feed stock: one label as one job of 7920 x 4350 twip pages, the
    // body wrapped between the rules and running on over pages numbered "k of N" (N the pages
    // printed). Only the top row and left column offsets apply; no value is filled.
    PrintResult PrintTractorLabel(PrinterSurface& surface, const LabelContent& label,
                                  const PrintOffsets& offsets);

    // The one or the other by the request's stock.
    PrintResult PrintLabels(PrinterSurface& surface, const PrintRequest& request);

    const LabelPosition& position() const { return m_position; }
    // True while a job is being composed: the logo's row pauses let window events run, and
    // none of them may start a second job into the first.
    bool busy() const { return m_busy; }

private:
    template <class Job, class Layout>
    PrintResult runExclusive(PrinterSurface& surface, const LabelContent& label,
                             const Layout& layout);

    LabelPosition m_position;
    std::function<void()> m_rowPause;
    bool m_busy = false;
};

}  // namespace tagwright::printing
