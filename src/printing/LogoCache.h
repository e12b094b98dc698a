#pragma once

#include "PictureDecoder.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

namespace tagwright::printing {

// The logo's box pixels (LogoPicture::boxPixels) for logo files, decoded once: a file is
// decoded again only when it changed on the disk (its time or size), so printing a label
// again does not wait for a metafile's helper each time.
class LogoCache {
public:
    explicit LogoCache(const PictureDecoder& decoder = guardedDecoder()) : m_decoder(decoder) {}

    // The box pixels of the picture at `path`; a null image for an empty path or a file that
    // is missing or cannot be read.
    QImage boxPixels(const QString& path);

private:
    struct Decoded {
        QDateTime modified;
        qint64 size = -1;
        QImage pixels;
    };

    const PictureDecoder& m_decoder;
    QHash<QString, Decoded> m_decoded;
};

}  // namespace tagwright::printing
