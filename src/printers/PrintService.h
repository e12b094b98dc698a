#pragma once

#include <QString>

namespace tagwright::printers {

// What the system's print service (CUPS) says about a queue and about the job Qt just handed
// it. Qt prints through CUPS but tells nothing of a queue that is paused or refuses jobs, and
// it drops the answer to the job it submits, so a refused job would otherwise pass for
// printed. The CUPS client library is loaded at run time: it is the one Qt's own printer
// support uses, and a machine without it simply has no such checks.
class PrintService {
public:
    // Why the queue `printerName` cannot print a job now (it is gone, paused or refuses
    // jobs), naming the printer; an empty text when it can, or when the service cannot be
    // asked.
    static QString refusal(const QString& printerName);

    // After Qt handed a job to the service on this thread: why the service refused it,
    // naming the printer; an empty text when it was taken.
    static QString submissionRefusal(const QString& printerName);
};

}  // namespace tagwright::printers
