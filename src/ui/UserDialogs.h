#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QPrintDialog;
class QPrinter;
class QWidget;

namespace tagwright::ui {

// Every modal dialog the windows show goes through this seam, so tests answer dialogs
// without a modal loop.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    virtual void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                             const QString& text) = 0;
    // Asks the user to pick one of `choices` (button texts); returns its index, or -1 when
    // the user cancelled (Escape, or the window's close button).
    virtual int askChoice(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                          const QString& text, const QStringList& choices) = 0;
    // A line of text typed into a box that starts with `initial`, or nothing when the user
    // cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                           const QString& initial) = 0;
    // The chosen font, or nothing when the user cancelled.
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    // Lets the user choose a printer and its settings into `printer`; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // A file name to save to, or an empty text when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                 const QString& filter) = 0;
    // Runs one of the program's own dialogs, set up by the caller; true when the user
    // accepted it (its values are then read from it).
    virtual bool runDialog(QDialog& dialog) = 0;
    // Shows the print preview of the pages `paint` draws onto the printer it is handed
    // (`printer` sets their paper). True when the user pressed its Print: the preview prints
    // nothing itself, the caller prints.
    virtual bool previewAsksToPrint(QWidget* parent, QPrinter& printer,
                                    const std::function<void(QPrinter*)>& paint) = 0;
};

// The real dialogs.
class QtUserDialogs : public UserDialogs {
public:
    void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                     const QString& text) override;
    int askChoice(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                  const QString& text, const QStringList& choices) override;
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& initial) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    // The dialog the printer set-up button shows, before it is shown.
    static std::unique_ptr<QPrintDialog> printerSetupDialog(QWidget* parent, QPrinter& printer);
    QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                         const QString& filter) override;
    bool runDialog(QDialog& dialog) override;
    bool previewAsksToPrint(QWidget* parent, QPrinter& printer,
                            const std::function<void(QPrinter*)>& paint) override;
};

}  // namespace tagwright::ui
