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

// Where a print command's labels go: a printer, a PDF file, or (in tests) a recording.
//
// A file is composed first and placed after: complete() writes and checks its pages, place()
// puts them under the file's name. A printer takes each job as it is composed
// (sendsWhileComposing()), so its labels leave while they are composed.
class LabelOutput {
public:
    virtual ~LabelOutput() = default;

    // A surface for one print command, the print queue showing `jobTitle` for its jobs; or
    // why there is none.
    virtual store::Result<std::unique_ptr<printing::PrinterSurface>, OutputProblem>
    open(const QString& jobTitle) = 0;
    virtual bool sendsWhileComposing() const { return false; }
    // The command's jobs are composed on `surface`: writes and checks what they made. Why it
    // could not, or an empty text.
    virtual QString complete(printing::PrinterSurface& surface) { static_cast<void>(surface); return {}; }
    // Puts what complete() wrote in place. Why it could not, or an empty text.
    virtual QString place() { return {}; }
    // For the user once placed (where a PDF went), or an empty text.
    virtual QString note() const { return {}; }
    // Where the command went, as the journal names it: a printer or a PDF file.
    virtual QString destination() const = 0;
};

}  // namespace tagwright::printjob
