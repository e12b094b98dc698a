#pragma once

#include <QDate>
#include <QObject>
#include <QString>

namespace tagwright::mainwindow {

class LabelSource;

// The Export PDF menu entry: the jobs Print would send, written as one PDF file through the
// print pipeline (journaled like any print).
class PdfExport : public QObject {
    Q_OBJECT
public:
    PdfExport(LabelSource& label, QObject* parent);

    // Asks for the file, starting in the folder chosen last (Documents at first), writes it
    // and reports anything but success. The file under the name is replaced only once the
    // whole PDF is written, so a full disk or a read-only folder leaves what was there
    // before (or nothing).
    void run();

    // "<title> <yyyy-MM-dd>.pdf" in `folder`; characters a file name cannot hold become "-".
    static QString suggestedFileName(const QString& title, const QDate& date, const QString& folder);

private:
    LabelSource& m_label;
    QString m_lastFolder;  // for as long as the program runs
};

}  // namespace tagwright::mainwindow
