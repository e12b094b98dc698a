#include "PrinterChoice.h"

#include <QPrinter>
#include <QWidget>

namespace tagwright::ui {

PrinterChoice::PrinterChoice(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("PrinterChoice"));
}

PrinterChoice::~PrinterChoice() = default;

PrinterChoice& PrinterChoice::of(QWidget& window)
{
    auto* choice = window.findChild<PrinterChoice*>(QString(), Qt::FindDirectChildrenOnly);
    return choice ? *choice : *new PrinterChoice(&window);
}

QPrinter& PrinterChoice::printerForDialog()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

}  // namespace tagwright::ui
