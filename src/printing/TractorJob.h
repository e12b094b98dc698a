#pragma once

#include "JobSteps.h"
#include "LabelParts.h"
#include "LabelPrinter.h"

namespace tagwright::printing {

// One tractor-feed label: a job of 7920 x 4350 twip pages, the body running on over pages
// numbered "k of N", N being the pages the job prints.
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
    // `end`: where the value must end, in twips.
    void printLine(float x, float y, const HeaderLine& line, float end);
    void printDate(float x, float y, float end);
    void printPageNumber();
    bool newPageGivesRoom();
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
    OverlongValues m_overlong;
};

}  // namespace tagwright::printing
