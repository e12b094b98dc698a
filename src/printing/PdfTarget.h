#pragma once

#include "PrintTarget.h"

#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <memory>

namespace tagwright::printing {

// Writes every job of one print command into one PDF file, a page per sheet or label page,
// at 1440 dots per inch so that one device unit is one twip. The file is written when the
// first job opens and completed by finish() or the destructor.
class PdfTarget : public PrintTarget {
public:
    explicit PdfTarget(const QString& fileName);
    ~PdfTarget() override;

    QPaintDevice* device() override { return m_writer.get(); }
    QPainter& beginJob(const std::optional<QSizeF>& pageTwips) override;
    void newPage(const std::optional<QSizeF>& pageTwips) override;
    void endJob() override {}
    void abortJob() override {}

    // Completes the file; false when it could not be written. Without any job there is no
    // file.
    bool finish();
    bool started() const { return m_started; }
    QString fileName() const { return m_fileName; }

private:
    void applyPageSize(const std::optional<QSizeF>& pageTwips);

    QString m_fileName;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    bool m_started = false;
};

// The page size of a twips size: Letter when it is Letter, else a custom size in points.
QPageSize pageSizeFromTwips(const QSizeF& twips);

}  // namespace tagwright::printing
