#pragma once

#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"

#include <QObject>
#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::mainwindow {

class LabelSource;

// What a preview session composed: the outcome of the jobs and the pages they filled.
struct PreviewPages {
    printing::PrintResult result;
    int pages = 0;
};

// Composes the label as its stock prints it onto `printer`, every job of the command on
// further pages of one session. The preview paints through this; `dieCuts` draws the laser
// stock's die-cuts under the labels, for the preview's own pages.
PreviewPages renderLabelPages(const printing::PrintRequest& request, QPrinter& printer,
                              bool dieCuts = false);

// Why Print would refuse this label (every sheet cell marked, an offset that puts it off
// the paper), or an empty text. A preview of nothing would only puzzle the user.
QString previewRefusal(const printing::PrintRequest& request);

// Shows `request` in the print preview on the paper Print prints on; true when the user
// pressed its Print (the caller prints, where Print prints). A refusal is told instead.
bool previewAsksToPrint(QWidget& window, ui::UserDialogs& dialogs, const printing::PrintRequest& request);

// The Print Preview menu entry: the pages Print would send for the current stock, the print
// panel's copies and marks taken as they stand, without opening it. The card's fields are
// taken when it opens, so printing from it prints what was shown, where Print prints.
class PrintPreview : public QObject {
    Q_OBJECT
public:
    PrintPreview(LabelSource& label, QObject* parent);

    void open();

private:
    LabelSource& m_label;
};

}  // namespace tagwright::mainwindow
