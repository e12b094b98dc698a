#pragma once

#include "LabelOutput.h"

#include <memory>

namespace tagwright::printing {
class PdfTarget;
}

namespace tagwright::printjob {

// Every job of a command into one PDF file under a name chosen beforehand. The pages are
// written beside it and renamed into place once complete, so a full disk or a read-only
// folder leaves what was there before (or nothing); a symbolic link under the name is
// refused, never written through.
class PdfFileOutput : public LabelOutput {
public:
    // `fileName` is where the file goes; `writeAt`, when given, is where Qt is to write it
    // (a name Qt can spell, put in place by a subclass).
    explicit PdfFileOutput(QString fileName, QString writeAt = QString());
    ~PdfFileOutput() override;

    store::Result<std::unique_ptr<printing::PrinterSurface>, OutputProblem>
    open(const QString& jobTitle) override;
    QString complete(printing::PrinterSurface& surface) override;
    QString place() override;
    QString destination() const override;

protected:
    // "The PDF file NAME could not be written: REASON".
    QString writeFailure(const QString& reason) const;
    // Why the file could not be completed or placed, in the file system's words.
    QString errorString() const;

private:
    QString m_fileName;
    QString m_writeAt;
    std::unique_ptr<printing::PdfTarget> m_target;
};

}  // namespace tagwright::printjob
