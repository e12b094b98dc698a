#pragma once

#include "BodyScan.h"
#include "JobSteps.h"
#include "LabelParts.h"
#include "LabelPrinter.h"

#include <array>

namespace tagwright::printing {

// One laser / inkjet print command: copies into the free cells of six-label sheets.
class LaserSheetJob {
public:
    LaserSheetJob(PrinterSurface& surface, const LabelContent& label, const SheetRequest& sheet,
                  LabelPosition& position, const std::function<void()>& rowPause);

    PrintResult run();

private:
    struct Cell {
        double x = 0;  // origin in twips, computed wide so that the range check can see it
        double y = 0;
        float bodyLimit = 0;
    };

    QString refusal() const;
    void NextCell();
    bool moveOnToNextCell();
    void composeLabel();
    void printFirstRow(bool& datePlaced);
    void printSecondRowAndRule(bool datePlaced);
    void printSignature();
    // `end`: where the value must end, in twips.
    void printValueField(float x, float y, HeaderSlot slot, int underscores, float end);
    void printDate(float x, float y, float end);

    PrinterSurface& m_surface;
    LabelContent m_label;  // a copy: empty values take their underscore runs here
    const SheetRequest& m_sheet;
    LabelPosition& m_pos;
    const std::function<void()>& m_rowPause;
    JobSteps m_steps;
    std::array<Cell, 6> m_cells;
    QVector<ValueFill> m_filled;
    OverlongValues m_overlong;
    WrappedBody m_wrapped;
    UsedCells m_lastSheetCells;
};

}  // namespace tagwright::printing
