#pragma once

#include "ui/FormLayout.h"

#include <QObject>
#include <QString>

namespace tagwright::test {

// The widget under `root` named `name`: by its object name, which says its role
// ("registrationBox"), or else by the control name of the earlier forms ("Text3"), which
// tests written against those forms still use.
template <typename Widget>
Widget* findWidget(const QObject& root, const QString& name)
{
    if (auto* widget = root.findChild<Widget*>(name))
        return widget;
    for (Widget* widget : root.findChildren<Widget*>()) {
        if (widget->property(ui::ControlNameProperty).toString() == name)
            return widget;
    }
    return nullptr;
}

}  // namespace tagwright::test
