#pragma once

#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"

#include <QString>

namespace tagwright::mainwindow {

class MainWindow;

// Hands the window's journal writer the entry of a label that left the window (nothing when
// the job sent nothing). A journal that cannot take it is told to the user: the label went
// out all the same.
void journalPrint(MainWindow& window, const printing::PrintRequest& input, bool tractorStock,
                  const QString& destination, const printing::PrintResult& result);

}  // namespace tagwright::mainwindow
