#pragma once

#include "printing/PrintRequest.h"

#include <QDate>
#include <QObject>
#include <QString>

namespace tagwright::mainwindow {

class LabelSource;

// How an export ended; `message` tells the user why when nothing was written.
struct ExportResult {
    enum class Status {
        Written,
        Nothing,  // the job has no pages (the copies box reads no number above 0)
        Refused,  // Print would refuse the label too
        Failed,   // the file could not be written
    };
    Status status = Status::Written;
    QString message;
};

// The Export PDF menu entry: the jobs Print would send, written as one PDF file.
class PdfExport : public QObject {
    Q_OBJECT
public:
    PdfExport(const LabelSource& label, QObject* parent);

    // Asks for the file, starting in the folder chosen last (Documents at first), writes it
    // and reports anything but success.
    void run();

    // "<title> <yyyy-MM-dd>.pdf" in `folder`; characters a file name cannot hold become "-".
    static QString suggestedFileName(const QString& title, const QDate& date, const QString& folder);

    // The file under `fileName` is replaced only once the whole PDF is written, so a full
    // disk or a read-only folder leaves what was there before (or nothing).
    static ExportResult writeLabel(const printing::PrintRequest& request, const QString& fileName);

private:
    const LabelSource& m_label;
    QString m_lastFolder;  // for as long as the program runs
};

}  // namespace tagwright::mainwindow
