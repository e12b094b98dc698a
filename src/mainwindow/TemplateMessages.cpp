#include "TemplateMessages.h"

#include "ui/UserDialogs.h"

#include "session/CardFile.h"

namespace tagwright::mainwindow {

void showTemplateWriteFailure(ui::UserDialogs& dialogs, QWidget* parent, const QString& title,
                              const store::StoreError& error)
{
    if (error.number == store::DuplicateKey) {
        dialogs.showMessage(parent, QMessageBox::Critical, QStringLiteral("Duplicate label title"),
                            QStringLiteral("Change title of label"));
    } else if (error.number == session::TitleRequired) {
        dialogs.showMessage(parent, QMessageBox::Warning, QStringLiteral("Label title needed"),
                            error.message);
    } else {
        dialogs.showMessage(parent, QMessageBox::Critical, title, error.describe());
    }
}

}  // namespace tagwright::mainwindow
