#pragma once

#include <QObject>

#include <memory>

class QPrinter;
class QWidget;

namespace tagwright::ui {

// The printer the user chose with the setup panel's printer set-up button, kept for the
// rest of the run so every later print job goes there (a PDF file included). It lives as
// a child of the main window; the print command asks for it with of(window).
class PrinterChoice : public QObject {
    Q_OBJECT
public:
    explicit PrinterChoice(QObject* parent = nullptr);
    ~PrinterChoice() override;

    // The choice attached to `window`, created on first use.
    static PrinterChoice& of(QWidget& window);

    // The chosen printer with its settings; null until the user has accepted the dialog once.
    QPrinter* chosenPrinter() const { return m_chosen ? m_printer.get() : nullptr; }

    // The printer the dialog edits: the current choice, or the system default before one.
    QPrinter& printerForDialog();
    // The dialog was accepted: its printer is the choice from now on.
    void accept() { m_chosen = true; }

private:
    std::unique_ptr<QPrinter> m_printer;
    bool m_chosen = false;
};

}  // namespace tagwright::ui
