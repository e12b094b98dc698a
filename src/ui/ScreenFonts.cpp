#include "ScreenFonts.h"

#include <QFont>

#include <utility>

namespace tagwright::ui {

namespace {

// Windows names and the installed families with their metrics. The first Windows name of a
// family is the one it stands for when chosen.
const std::pair<const char*, const char*> WindowsFamilies[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"},
};

}  // namespace

void installScreenFontSubstitutions()
{
    for (const auto& [windowsName, installed] : WindowsFamilies)
        QFont::insertSubstitution(QString::fromLatin1(windowsName), QString::fromLatin1(installed));
}

QString windowsFamilyName(const QString& installedFamily)
{
    for (const auto& [windowsName, installed] : WindowsFamilies) {
        if (installedFamily.compare(QLatin1String(installed), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(windowsName);
    }
    return installedFamily;
}

}  // namespace tagwright::ui
