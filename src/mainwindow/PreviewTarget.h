#pragma once

#include "printing/PrintTarget.h"

#include <QPainter>

class QPrinter;

namespace tagwright::mainwindow {

// A printer handed over for one session, such as the one a print preview asks to be
// painted: every job of a command goes onto further pages of that one session, since the
// preview shows (and prints) what it collected by the time the session ends.
class PreviewTarget : public printing::PrintTarget {
public:
    explicit PreviewTarget(QPrinter& printer);
    ~PreviewTarget() override;

    QPaintDevice* device() override;
    QPainter& beginJob(const std::optional<QSizeF>& pageTwips) override;
    void newPage(const std::optional<QSizeF>& pageTwips) override;
    void endJob() override {}
    void abortJob() override;

    // Draws the six-up stock's die-cuts under every laser sheet page: for looking at a
    // preview, never for paper.
    void showDieCuts() { m_dieCuts = true; }

    // Ends the session; false when the printer did not take it.
    bool finish();
    int pageCount() const { return m_pages; }

private:
    QPrinter& m_printer;
    QPainter m_painter;
    int m_pages = 0;
    bool m_dieCuts = false;
    bool m_laserSheet = false;

    void drawDieCuts();
};

}  // namespace tagwright::mainwindow
