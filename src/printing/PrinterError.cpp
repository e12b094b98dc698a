#include "PrinterError.h"

namespace tagwright::printing {

PrinterError::PrinterError(int number, const QString& message)
    : std::runtime_error(message.toStdString()), m_number(number), m_message(message)
{
}

}  // namespace tagwright::printing
