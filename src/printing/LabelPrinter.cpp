#include "LabelPrinter.h"

#include "LaserSheetJob.h"
#include "TractorJob.h"

namespace tagwright::printing {

template <class Job, class Layout>
PrintResult LabelPrinter::runExclusive(PrinterSurface& surface, const LabelContent& label,
                                       const Layout& layout)
{
    if (m_busy) {
        PrintResult refused;
        refused.status = PrintResult::Status::Refused;
        refused.message = QStringLiteral("A print job is already being composed.");
        return refused;
    }
    struct BusyWhileComposing {
        bool& busy;
        explicit BusyWhileComposing(bool& flag) : busy(flag) { busy = true; }
        ~BusyWhileComposing() { busy = false; }
    } guard(m_busy);
    return Job(surface, label, layout, m_position, m_rowPause).run();
}

PrintResult LabelPrinter::PrintLaserLabels(PrinterSurface& surface, const LabelContent& label,
                                           const SheetRequest& sheet)
{
    return runExclusive<LaserSheetJob>(surface, label, sheet);
}

PrintResult LabelPrinter::PrintTractorLabel(PrinterSurface& surface, const LabelContent& label,
                                            const PrintOffsets& offsets)
{
    return runExclusive<TractorJob>(surface, label, offsets);
}

PrintResult LabelPrinter::PrintLabels(PrinterSurface& surface, const PrintRequest& request)
{
    return request.stock == LabelStock::Tractor ? PrintTractorLabel(surface, request.label, request.sheet.offsets)
                        : PrintLaserLabels(surface, request.label, request.sheet);
}

}  // namespace tagwright::printing
