#include "UserDialogs.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace tagwright::mainwindow {

void QtUserDialogs::showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QFont> QtUserDialogs::chooseFont(QWidget* parent, const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

bool QtUserDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString QtUserDialogs::saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                    const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

}  // namespace tagwright::mainwindow
