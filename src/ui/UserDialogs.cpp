#include "UserDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QAction>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QRegularExpression>
#include <QPushButton>

namespace tagwright::ui {

void QtUserDialogs::showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

int QtUserDialogs::askChoice(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                             const QString& text, const QStringList& choices)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons << box.addButton(choice, QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

std::optional<QString> QtUserDialogs::askText(QWidget* parent, const QString& title,
                                              const QString& label, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QFont> QtUserDialogs::chooseFont(QWidget* parent, const QFont& initial)
{
    // The dialog lists installed families; a template's Windows name ("MS Sans Serif") is
    // shown as the family it prints in, so the dialog opens on it rather than a stranger.
    QFont start = initial;
    start.setFamily(QFontInfo(initial).family());
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, start, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

std::unique_ptr<QPrintDialog> QtUserDialogs::printerSetupDialog(QWidget* parent, QPrinter& printer)
{
    // The system's print dialog, told to say what it does here: it chooses the printer later
    // labels go to, and prints nothing itself. Which pages to print means nothing for a label.
    auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
    dialog->setObjectName(QStringLiteral("PrinterSetupDialog"));
    dialog->setWindowTitle(QStringLiteral("Printer Set-up"));
    dialog->setOptions(QAbstractPrintDialog::PrintToFile);
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
        if (QPushButton* choose = buttons->button(QDialogButtonBox::Ok))
            choose->setText(QStringLiteral("&Use This Printer"));
    }
    return dialog;
}

bool QtUserDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    return printerSetupDialog(parent, printer)->exec() == QDialog::Accepted;
}

QString QtUserDialogs::saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                    const QString& filter)
{
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension takes the filter's, before the dialog asks about
    // replacing a file of that name: "*.pdf" gives "pdf".
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
    if (const QRegularExpressionMatch match = firstPattern.match(filter); match.hasMatch())
        dialog.setDefaultSuffix(match.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool QtUserDialogs::previewAsksToPrint(QWidget* parent, QPrinter& printer,
                                       const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    // Qt's own size shows a sheet too small to read a label on.
    if (const QScreen* screen = parent ? parent->screen() : nullptr)
        dialog.resize(screen->availableSize() * 0.9);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    // The dialog's Print would paint onto its printer itself: here it only answers, and the
    // label is printed the way every print is.
    constexpr int PrintAsked = QDialog::Accepted + 1;
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text().remove(QLatin1Char('&')) == QLatin1String("Print")) {
            QObject::disconnect(action, nullptr, &dialog, nullptr);
            QObject::connect(action, &QAction::triggered, &dialog, [&dialog] { dialog.done(PrintAsked); });
        }
    }
    return dialog.exec() == PrintAsked;
}

bool QtUserDialogs::runDialog(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tagwright::ui
