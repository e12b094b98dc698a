#pragma once

#include <QSizeF>

#include <optional>

class QPainter;
class QPaintDevice;

namespace tagwright::printing {

// Where a Qt printer surface's jobs go: a system printer or a PDF file. Page sizes are in
// twips; no value means the target's own paper. Failures raise PrinterError.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // The device text is measured on, available before any job: print metrics differ from
    // the screen's by a few per cent.
    virtual QPaintDevice* device() = 0;

    // Opens a job; the painter draws in device units on its first page.
    virtual QPainter& beginJob(const std::optional<QSizeF>& pageTwips) = 0;
    virtual void newPage(const std::optional<QSizeF>& pageTwips) = 0;
    // Hands the job over (the printer ejects the last page).
    virtual void endJob() = 0;
    // Drops the open job after a failure it could not get past.
    virtual void abortJob() = 0;
};

}  // namespace tagwright::printing
