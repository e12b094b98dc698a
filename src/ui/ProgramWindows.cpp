#include "ProgramWindows.h"

#include <QVariant>
#include <QWidget>

namespace tagwright::ui {

void markAsWindowOfProgram(QWidget* window)
{
    window->setProperty(WindowOfProgramProperty, true);
}

bool isWindowOfProgram(const QWidget* window)
{
    return window && window->property(WindowOfProgramProperty).toBool();
}

}  // namespace tagwright::ui
