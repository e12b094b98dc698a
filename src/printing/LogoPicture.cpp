#include "LogoPicture.h"

#include "WmfRender.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace tagwright::printing {

namespace {

constexpr QRgb BoxBackground = 0xFFC0C0C0;
// Picture files beyond this are not logos; reading them would only cost memory.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
// The icon size a window shows an icon file at.
constexpr int StandardIconSide = 32;

bool looksLikeMetafile(const QString& path, const QByteArray& bytes)
{
    static const QByteArray placeableKey("\xD7\xCD\xC6\x9A", 4);
    return bytes.startsWith(placeableKey)
        || QFileInfo(path).suffix().compare(QStringLiteral("wmf"), Qt::CaseInsensitive) == 0;
}

QImage readRaster(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    // An icon file holds several sizes; the window shows the standard one when there is one.
    if (reader.format() == "ico" && reader.imageCount() > 1) {
        for (int index = 0; index < reader.imageCount(); ++index) {
            if (!reader.jumpToImage(index))
                break;
            const QSize size = reader.size();
            if (size == QSize(StandardIconSide, StandardIconSide))
                return reader.read();
        }
        reader.jumpToImage(0);
    }
    return reader.read();
}

}  // namespace

QImage LogoPicture::load(const QString& path)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > MaxFileBytes || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return {};
    if (looksLikeMetafile(path, bytes)) {
        if (QImage picture = loadMetafile(bytes); !picture.isNull())
            return picture;
    }
    return readRaster(bytes);
}

QImage LogoPicture::loadMetafile(const QByteArray& bytes)
{
    std::vector<unsigned char> png;
    if (!wmf::renderToPng(reinterpret_cast<const unsigned char*>(bytes.constData()),
                          std::size_t(bytes.size()), png))
        return {};
    return QImage::fromData(png.data(), int(png.size()), "PNG");
}

QImage LogoPicture::boxPixels(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QImage box(BoxSide, BoxSide, QImage::Format_RGB32);
    box.fill(BoxBackground);
    QPainter painter(&box);
    if (picture.width() <= BoxSide && picture.height() <= BoxSide) {
        painter.drawImage(0, 0, picture);
    } else {
        painter.drawImage(0, 0, picture.scaled(BoxSide, BoxSide, Qt::KeepAspectRatio,
                                               Qt::SmoothTransformation));
    }
    painter.end();
    return box;
}

}  // namespace tagwright::printing
