#include "ListSearch.h"

#include <QComboBox>

namespace tagwright::ui {

int exactListSearch(const QComboBox* list, const QString& text)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

}  // namespace tagwright::ui
