#pragma once

#include "printing/LabelSnapshot.h"

#include <QVector>

namespace tagwright::mainwindow {

class MainWindow;

// The window's fields as a print job reads them, copied at the moment of printing.
printing::LabelSnapshot takeSnapshot(MainWindow& window);

// The title of the template on show, as its title tab shows it: print jobs and exported
// files are named after it.
QString templateTitle(MainWindow& window);

// Writes the underscore runs a job put into empty value boxes back into those boxes.
void writeBackFilledValues(MainWindow& window, const QVector<printing::ValueFill>& filled);

}  // namespace tagwright::mainwindow
