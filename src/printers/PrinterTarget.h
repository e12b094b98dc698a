#pragma once

#include "printing/PrintTarget.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QString>

#include <memory>

namespace tagwright::printers {

// A system printer as the target of a Qt printer surface: each job is one print run of the
// printer (one QPainter session), so a full laser sheet leaves the printer at once.
//
// Every job asks for its paper: US Letter portrait for laser sheets, the label's own size for
// tractor feed. Positions count from the top left corner of the printer's printable area, so
// a printer with margins moves the label by them (what the set-up panel's offsets correct).
// A queue that is gone, paused or refusing jobs fails the job with the printer's name and
// the reason.
class PrinterTarget : public printing::PrintTarget {
public:
    // Prints through `printer` (the window's chosen printer with its settings), which must
    // outlive the target.
    explicit PrinterTarget(QPrinter& printer);
    explicit PrinterTarget(std::unique_ptr<QPrinter> printer);
    ~PrinterTarget() override;

    // The printer named `name`, or the system's default one for "default" or an empty name.
    // Null, with `message` saying why, when there is no such printer.
    static std::unique_ptr<QPrinter> printerNamed(const QString& name, QString& message);

    // Sets a system printer up for a job of `pageTwips` (none: a laser sheet, US Letter):
    // the printer's own paper of that size, portrait, its printable area as the origin.
    static void applyLabelPage(QPrinter& printer, const std::optional<QSizeF>& pageTwips);

    // The title the print queue shows for each job.
    void setJobTitle(const QString& title);

    QPaintDevice* device() override;
    QPainter& beginJob(const std::optional<QSizeF>& pageTwips) override;
    void newPage(const std::optional<QSizeF>& pageTwips) override;
    void endJob() override;
    void abortJob() override;

private:
    void applyPageSize(const std::optional<QSizeF>& pageTwips);
    static void askForExactLength(QPrinter& printer, const QPageSize& size);

    std::unique_ptr<QPrinter> m_owned;
    QPrinter* m_printer;
    QPainter m_painter;
    QString m_submissionFailure;  // the service refused the last job; repeated until the next
};

}  // namespace tagwright::printers
