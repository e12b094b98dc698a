#pragma once

#include <QString>

class QComboBox;

namespace tagwright::ui {

// The index of the first entry of `list` equal to `text`, letter case ignored, searching
// from the top; -1 when there is none.
int exactListSearch(const QComboBox* list, const QString& text);

}  // namespace tagwright::ui
