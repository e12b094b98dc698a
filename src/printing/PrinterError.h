#pragma once

#include <QString>

#include <stdexcept>

namespace tagwright::printing {

// Error numbers of the printing system. They keep the numbers shops know from the label
// program's messages, so a report over the phone ("error 482") still means something.
enum PrinterErrorNumber : int {
    InvalidPropertyValue = 380,  // a font name or size the printer cannot take
    PrinterFailure = 482,        // the printer or the output file refused the job
};

// Raised by a printer surface operation. The composers catch it per step: 380 falls back to
// "Arial", anything else is retried a few times before the job is abandoned.
class PrinterError : public std::runtime_error {
public:
    PrinterError(int number, const QString& message);
    // The output file could not be written (a full disk, a folder gone): the message names
    // the file and the file system's reason, and is shown as it is.
    static PrinterError fileFailure(const QString& message);

    int number() const { return m_number; }
    QString message() const { return m_message; }
    bool isFileFailure() const { return m_fileFailure; }

private:
    int m_number;
    QString m_message;
    bool m_fileFailure = false;
};

}  // namespace tagwright::printing
