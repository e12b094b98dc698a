#pragma once

#include "JobSteps.h"
#include "LabelPrinter.h"

namespace tagwright::printing {

// One tractor-feed label: a job of 7920 x 4350 twip pages, the body running on over
// numbered pages.
class TractorJob {
public:
    TractorJob(PrinterSurface& surface, const LabelContent& label, const PrintOffsets& offsets,
               LabelPosition& position, const std::function<void()>& rowPause);

    PrintResult run();

private:
    QString refusal() const;
    void compose();
    void printFirstRow(bool& datePlaced);
    void printSecondRowAndRule(bool datePlaced);
    void printLine(float x, float y, const HeaderLine& line);
    void printPageNumber();
    bool moveOnToNextPage();
    void printSignature();

    PrinterSurface& m_surface;
    const LabelContent& m_label;
    const PrintOffsets& m_offsets;
    LabelPosition& m_pos;
    const std::function<void()>& m_rowPause;
    JobSteps m_steps;
    double m_originX = 0;  // computed wide for the range check
    double m_originY = 0;
    int m_page = 1;
    int m_pageCount = 1;
};

}  // namespace tagwright::printing
