#pragma once

#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"

#include <QObject>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace tagwright::mainwindow {

class LabelSource;
class UserDialogs;

// What a preview session composed: the outcome of the jobs and the pages they filled.
struct PreviewPages {
    printing::PrintResult result;
    int pages = 0;
};

// Composes the label as the given stock prints it onto `printer`, every job of the command
// on further pages of one session. The preview dialog paints through this, and so does
// printing from the preview. `dieCuts` draws the laser stock's die-cuts under the labels,
// for the preview's own pages only.
PreviewPages renderLabelPages(const printing::PrintRequest& request, bool tractorStock,
                              QPrinter& printer, bool dieCuts = false);

// Why Print would refuse this label (every sheet cell marked, an offset that puts it off
// the paper), or an empty text. A preview of nothing would only puzzle the user.
QString previewRefusal(const printing::PrintRequest& request, bool tractorStock);

// Shows `input` in Qt's preview dialog, printing from it where Print prints. Returns where
// the user printed it from there (a printer's name or a PDF file), with the job's outcome in
// `printed`; nothing when the preview was only looked at.
std::optional<QString> previewLabel(QWidget* window, UserDialogs& dialogs,
                                    const printing::PrintRequest& input,
                                    bool tractorStock, printing::PrintResult& printed);

// The Print Preview menu entry: Qt's preview of the pages Print would send for the current
// stock, the print panel's copies and marks taken as they stand, without opening it. The
// window's fields are taken when it opens, so printing from it prints what was shown.
class PrintPreview : public QObject {
    Q_OBJECT
public:
    PrintPreview(const LabelSource& label, QObject* parent);

    void open();

private:
    const LabelSource& m_label;
};

}  // namespace tagwright::mainwindow
