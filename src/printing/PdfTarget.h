#pragma once

#include "PrintTarget.h"

#include <QPainter>
#include <QPdfWriter>
#include <QFile>
#include <QString>

#include <memory>

namespace tagwright::files {
class NewFile;
}

namespace tagwright::printing {

// Writes every job of one print command into one PDF file, a page per sheet or label page,
// at 1440 dots per inch so that one device unit is one twip. The pages go to a new file in
// the same folder, which finish() checks (write errors, a full disk) and renames over the
// named file in one step; a failed or abandoned target leaves no file behind. A symbolic
// link at the name is refused, never written through.
class PdfTarget : public PrintTarget {
public:
    explicit PdfTarget(const QString& fileName);
    ~PdfTarget() override;

    QPaintDevice* device() override { return m_writer.get(); }
    QPainter& beginJob(const std::optional<QSizeF>& pageTwips) override;
    void newPage(const std::optional<QSizeF>& pageTwips) override;
    void endJob() override {}
    void abortJob() override {}

    // Completes the file and puts it in place; false when it could not be written, and then
    // no file is left. Without any job there is no file. The destructor discards a file that
    // was not finished.
    bool finish();
    // finish() in two steps, for a caller that records the file before it appears: complete()
    // writes and checks the pages (false, and no file, when it cannot), place() puts them in
    // place under the file's name.
    bool complete();
    bool place();
    // Why finish() failed, in the file system's words.
    QString errorString() const { return m_error; }
    bool started() const { return m_started; }
    QString fileName() const { return m_fileName; }

private:
    void applyPageSize(const std::optional<QSizeF>& pageTwips);

    QString writeError() const;

    QString m_fileName;
    std::unique_ptr<files::NewFile> m_written;
    QFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    bool m_started = false;
    bool m_finished = true;
    QString m_error;
};

// The page size of a twips size: Letter when it is Letter, else a custom size in points.
QPageSize pageSizeFromTwips(const QSizeF& twips);

}  // namespace tagwright::printing
