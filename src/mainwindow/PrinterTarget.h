#pragma once

#include "printing/PrintTarget.h"

#include <QPainter>
#include <QPrinter>
#include <QString>

#include <memory>

namespace tagwright::mainwindow {

// A system printer as the target of a Qt printer surface: each job is one print run of the
// printer (one QPainter session), so a full laser sheet leaves the printer at once.
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

    QPaintDevice* device() override;
    QPainter& beginJob(const std::optional<QSizeF>& pageTwips) override;
    void newPage(const std::optional<QSizeF>& pageTwips) override;
    void endJob() override;
    void abortJob() override;

private:
    void applyPageSize(const std::optional<QSizeF>& pageTwips);

    std::unique_ptr<QPrinter> m_owned;
    QPrinter* m_printer;
    QPainter m_painter;
};

}  // namespace tagwright::mainwindow
