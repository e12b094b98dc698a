#pragma once

#include "printing/PrinterSurface.h"
#include "store/Result.h"

#include <QString>

#include <memory>

namespace tagwright::printjob {

// Why an output has nowhere to print a command.
struct OutputProblem {
    enum class Kind {
        Cancelled,  // the user chose no file: nothing is said
        Refused,    // the place named may not be written (a symbolic link, say)
        Failed,     // no printer, a queue that cannot print, a folder that cannot be made
    };
    Kind kind = Kind::Failed;
    QString message;
};

// What became of the command's jobs once composed.
struct Placement {
    bool placed = true;  // the labels left the program: a printer took them, a PDF is in place
    QString note;        // for the user (where a PDF went), or empty
    QString failure;     // why what was written could not be put in place, or empty
};

// Where a print command's labels go: a printer, a PDF file, or (in tests) a recording.
class LabelOutput {
public:
    virtual ~LabelOutput() = default;

    // A surface for one print command, the print queue showing `jobTitle` for its jobs; or
    // why there is none.
    virtual store::Result<std::unique_ptr<printing::PrinterSurface>, OutputProblem>
    open(const QString& jobTitle) = 0;
    // The command's jobs are composed on `surface`: completes and places what they wrote.
    virtual Placement place(printing::PrinterSurface& surface) = 0;
    // Where the last command went, as the journal names it: a printer or a PDF file.
    virtual QString destination() const = 0;
};

}  // namespace tagwright::printjob
