#pragma once

#include <QString>

#include <memory>

namespace tagwright::printing {
class PrinterSurface;
}

namespace tagwright::mainwindow {

// Where the window's print commands go: the chosen or default printer, a PDF file, or (in
// tests) a recording surface.
class PrintOutput {
public:
    virtual ~PrintOutput() = default;

    // The title the print queue shows for the command's jobs (the template's title).
    virtual void setJobTitle(const QString& title) { (void)title; }
    // A surface for one print command, or null with `error` set when there is nowhere to
    // print (an empty `error`: the user cancelled, nothing to say).
    virtual std::unique_ptr<printing::PrinterSurface> open(QString* error) = 0;
    // Called once the command's jobs are composed. Returns a note for the user (such as the
    // file a job was written to), or an empty text.
    virtual QString close(printing::PrinterSurface& surface) = 0;
    // Where the last command went, as the journal names it: a printer or a PDF file.
    virtual QString destination() const { return {}; }
};

}  // namespace tagwright::mainwindow
