#include "LabelPrinter.h"

#include "LaserSheetJob.h"
#include "TractorJob.h"

namespace tagwright::printing {

template <class Job>
PrintResult LabelPrinter::runExclusive(PrinterSurface& surface, const LabelSnapshot& window)
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
    return Job(surface, window, m_position, m_rowPause).run();
}

PrintResult LabelPrinter::PrintLaserLabels(PrinterSurface& surface, const LabelSnapshot& window)
{
    return runExclusive<LaserSheetJob>(surface, window);
}

PrintResult LabelPrinter::PrintTractorLabel(PrinterSurface& surface, const LabelSnapshot& window)
{
    return runExclusive<TractorJob>(surface, window);
}

}  // namespace tagwright::printing
