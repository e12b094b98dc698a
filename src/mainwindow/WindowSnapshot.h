#pragma once

#include "printing/PrintRequest.h"

#include <QVector>

namespace tagwright::mainwindow {

class MainWindow;

// What Print would print from the window as it stands: the boxes' texts are read here, once,
// by the rules the boxes have always had (copies and offsets by their leading number, a cell
// marked "X" is used).
printing::PrintRequest takeSnapshot(MainWindow& window);

// The title of the template on show, as its title tab shows it: print jobs and exported
// files are named after it.
QString templateTitle(MainWindow& window);

// Shows the underscore runs a job put into empty header values in their value boxes.
void writeBackFilledValues(MainWindow& window, const QVector<printing::ValueFill>& filled);

}  // namespace tagwright::mainwindow
