#pragma once

#include "store/StoreError.h"

#include <QString>

class QWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::mainwindow {


// Tells the user why a template was not written, whichever command or page step tried:
// a taken title and a missing title are the user's to change and are said in plain words;
// anything else carries the engine's message and the file, under `title`.
void showTemplateWriteFailure(ui::UserDialogs& dialogs, QWidget* parent, const QString& title,
                              const store::StoreError& error);

}  // namespace tagwright::mainwindow
