#pragma once

#include <QImage>
#include <QString>

namespace tagwright::setup {

// The picture of a logo file for the preview, at its natural size; a null image when the
// file is missing or not a picture this program reads.
QImage readLogoPicture(const QString& path);

}  // namespace tagwright::setup
