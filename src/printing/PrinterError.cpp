#include "PrinterError.h"

namespace tagwright::printing {

PrinterError::PrinterError(int number, const QString& message)
    : std::runtime_error(message.toStdString()), m_number(number), m_message(message)
{
}

PrinterError PrinterError::fileFailure(const QString& message)
{
    PrinterError error(PrinterFailure, message);
    error.m_fileFailure = true;
    return error;
}

}  // namespace tagwright::printing
