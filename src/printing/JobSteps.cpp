#include "JobSteps.h"

#include "PrinterSurface.h"

namespace tagwright::printing {

bool JobSteps::goOnAfter(const PrinterError& error, int attempt)
{
    if (error.number() == InvalidPropertyValue) {
        try {
            m_surface.FontName(QStringLiteral("Arial"));
        } catch (const PrinterError& fallbackError) {
            // Without even "Arial" nothing legible can be printed.
            throw JobAbandoned{fallbackError};
        }
        return true;
    }
    if (attempt >= MaxRetries)
        throw JobAbandoned{error};
    return false;
}

}  // namespace tagwright::printing
