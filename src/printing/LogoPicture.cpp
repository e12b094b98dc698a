#include "LogoPicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

namespace tagwright::printing {

namespace {

constexpr QRgb BoxBackground = 0xFFC0C0C0;
// Picture files beyond this are not logos; reading them would only cost memory.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
// Sides and pixel memory beyond these are no logo; Qt's readers refuse to allocate more.
constexpr qint64 MaxPictureSide = 16384;
constexpr int AllocationLimitMegabytes = 64;
// The icon size a window shows an icon file at.
constexpr int StandardIconSide = 32;

bool looksLikeMetafile(const QString& path, const QByteArray& bytes)
{
    static const QByteArray placeableKey("\xD7\xCD\xC6\x9A", 4);
    return bytes.startsWith(placeableKey)
        || QFileInfo(path).suffix().compare(QStringLiteral("wmf"), Qt::CaseInsensitive) == 0;
}

quint32 le32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// Qt's bitmap and icon readers fill a cut-off file's missing rows with black; a logo that
// lost its tail is no logo at all, so both formats are checked for their full length.
bool bitmapComplete(const QByteArray& bytes, qsizetype start, bool inIcon)
{
    constexpr qsizetype FileHeader = 14;
    const qsizetype info = inIcon ? start : start + FileHeader;
    if (bytes.size() < info + 16)
        return false;
    const quint32 infoSize = le32(bytes, info);
    qint64 width = 0, height = 0, bits = 0, compression = 0, imageSize = 0;
    if (infoSize == 12) {  // OS/2 core header
        width = qFromLittleEndian<quint16>(bytes.constData() + info + 4);
        height = qFromLittleEndian<quint16>(bytes.constData() + info + 6);
        bits = qFromLittleEndian<quint16>(bytes.constData() + info + 10);
    } else if (infoSize >= 40 && bytes.size() >= info + 40) {
        width = qint32(le32(bytes, info + 4));
        height = qint32(le32(bytes, info + 8));
        bits = qFromLittleEndian<quint16>(bytes.constData() + info + 14);
        compression = le32(bytes, info + 16);
        imageSize = le32(bytes, info + 20);
    } else {
        return false;
    }
    if (inIcon)
        height /= 2;  // an icon's bitmap holds the colour rows and the mask rows
    height = qAbs(height);
    // Bounded before any product is formed, so the sizes below cannot overflow.
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide)
        return false;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    qint64 pixelStart = 0;
    qint64 pixelBytes = 0;
    if (inIcon) {
        const qint64 colours = bits <= 8 ? (qint64(1) << bits) : 0;
        pixelStart = info + infoSize + colours * 4;
        pixelBytes = rowBytes * height + (width + 31) / 32 * 4 * height;
    } else {
        pixelStart = le32(bytes, start + 10);
        // Compressed pixels end where the header says.
        pixelBytes = compression == 0 || compression == 3 ? rowBytes * height : imageSize;
    }
    return pixelStart + pixelBytes <= bytes.size();
}

bool rasterComplete(const QByteArray& bytes)
{
    if (bytes.startsWith("BM"))
        return bitmapComplete(bytes, 0, false);
    static const QByteArray iconKey("\0\0\1\0", 4);
    if (!bytes.startsWith(iconKey))
        return true;
    const qsizetype count = qFromLittleEndian<quint16>(bytes.constData() + 4);
    if (count == 0 || bytes.size() < 6 + 16 * count)
        return false;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * i;
        const qint64 size = le32(bytes, entry + 8);
        const qint64 offset = le32(bytes, entry + 12);
        if (offset + size > bytes.size())
            return false;
        // Icons may hold a PNG instead of a bitmap; its own reader spots a cut-off file.
        if (!bytes.mid(offset, 8).startsWith("\x89PNG") && !bitmapComplete(bytes, offset, true))
            return false;
    }
    return true;
}

QImage readRaster(const QByteArray& bytes)
{
    if (!rasterComplete(bytes))
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    reader.setAllocationLimit(AllocationLimitMegabytes);
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

QImage LogoPicture::load(const QString& path, const PictureDecoder& decoder)
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
        if (QImage picture = decoder.decodeMetafile(bytes); !picture.isNull())
            return picture;
    }
    return readRaster(bytes);
}

bool LogoPicture::isMetafile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return looksLikeMetafile(path, file.read(4));
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
