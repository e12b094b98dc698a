#include "printing/LogoPicture.h"
#include "support/TempFolder.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>

#include <gtest/gtest.h>

using tagwright::printing::LogoPicture;

namespace {

// A picture whose bottom right pixel is red and the rest blue.
QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    image.setPixel(width - 1, height - 1, qRgb(255, 0, 0));
    return image;
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << writer.errorString().toStdString();
    return bytes;
}

// A placeable metafile of `width` x `height` units at `unitsPerInch`, one filled red
// rectangle over its left half.
QByteArray metafile(qint16 width, qint16 height, quint16 unitsPerInch)
{
    QByteArray records;
    const auto record = [&](quint16 function, std::initializer_list<qint16> params) {
        QByteArray r(6, 0);
        qToLittleEndian<quint32>(quint32(3 + params.size()), r.data());
        qToLittleEndian<quint16>(function, r.data() + 4);
        for (qint16 p : params) {
            char le[2];
            qToLittleEndian<qint16>(p, le);
            r.append(le, 2);
        }
        records += r;
    };
    record(0x020B, {0, 0});                        // SetWindowOrg
    record(0x020C, {height, width});                // SetWindowExt
    record(0x02FC, {0, 0x00FF, 0, 0});              // CreateBrushIndirect: solid red
    record(0x012D, {0});                            // SelectObject
    record(0x041B, {height, qint16(width / 2), 0, 0});  // Rectangle
    record(0x0000, {});                             // end of file

    QByteArray header(18, 0);
    qToLittleEndian<quint16>(1, header.data());
    qToLittleEndian<quint16>(9, header.data() + 2);
    qToLittleEndian<quint16>(0x300, header.data() + 4);
    qToLittleEndian<quint32>(quint32((18 + records.size()) / 2), header.data() + 6);
    qToLittleEndian<quint16>(1, header.data() + 10);
    qToLittleEndian<quint32>(7, header.data() + 12);

    QByteArray placeable(22, 0);
    qToLittleEndian<quint32>(0x9AC6CDD7u, placeable.data());
    qToLittleEndian<qint16>(width, placeable.data() + 10);
    qToLittleEndian<qint16>(height, placeable.data() + 12);
    qToLittleEndian<quint16>(unitsPerInch, placeable.data() + 14);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<quint16>(placeable.constData() + i);
    qToLittleEndian<quint16>(checksum, placeable.data() + 20);
    return placeable + header + records;
}

class LogoFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.file(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    tagwright::test::TempFolder folder;
};

}  // namespace

TEST(LogoBox, smallPictureSitsAtTopLeftAtNaturalSizeOnGrey)
{
    const QImage box = LogoPicture::boxPixels(picture(10, 20));
    ASSERT_EQ(box.size(), QSize(37, 37));
    EXPECT_EQ(box.pixel(9, 19), qRgb(255, 0, 0));
    EXPECT_EQ(box.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(box.pixel(10, 0), qRgb(192, 192, 192));
    EXPECT_EQ(box.pixel(0, 20), qRgb(192, 192, 192));
    EXPECT_TRUE(LogoPicture::boxPixels(QImage()).isNull());
}

TEST(LogoBox, largerPictureIsScaledDownKeepingItsProportions)
{
    const QImage box = LogoPicture::boxPixels(picture(148, 74));
    EXPECT_NE(box.pixel(36, 0), qRgb(192, 192, 192));
    EXPECT_NE(box.pixel(0, 17), qRgb(192, 192, 192));
    EXPECT_EQ(box.pixel(0, 19), qRgb(192, 192, 192));
    EXPECT_EQ(box.pixel(36, 36), qRgb(192, 192, 192));
}

TEST_F(LogoFiles, rasterFilesLoadAtTheirPixelSizeWhateverTheirResolution)
{
    QImage image = picture(12, 7);
    image.setDotsPerMeterX(11811);  // 300 dpi
    image.setDotsPerMeterY(11811);
    for (const char* format : {"bmp", "png", "ico", "jpg"}) {
        const QString path = write(QStringLiteral("logo.%1").arg(QLatin1String(format)),
                                   encoded(image, format));
        EXPECT_EQ(LogoPicture::load(path).size(), QSize(12, 7)) << format;
    }
    // Letter case and a misleading extension do not matter; the content decides.
    const QString renamed = write(QStringLiteral("LOGO.ICO"), encoded(image, "bmp"));
    EXPECT_EQ(LogoPicture::load(renamed).size(), QSize(12, 7));
}

TEST_F(LogoFiles, metafileTakesItsPlaceableFrameAtDisplayResolution)
{
    // 1000 x 500 units at 1440 a inch: 0.69 x 0.35 inch, 67 x 33 pixels at 96 dpi.
    const QImage logo = LogoPicture::load(write(QStringLiteral("logo.wmf"), metafile(1000, 500, 1440)));
    ASSERT_EQ(logo.size(), QSize(67, 33));
    const QColor left = logo.pixelColor(16, 16);
    EXPECT_GT(left.red(), 200);
    EXPECT_LT(left.green(), 60);
    EXPECT_GT(logo.pixelColor(50, 16).green(), 200);  // right half: the white background
}

TEST_F(LogoFiles, missingTruncatedOrGarbageFilesGiveNoPicture)
{
    EXPECT_TRUE(LogoPicture::load(QString()).isNull());
    EXPECT_TRUE(LogoPicture::load(folder.file(QStringLiteral("none.bmp"))).isNull());
    EXPECT_TRUE(LogoPicture::boxPixelsFromFile(folder.file(QStringLiteral("none.wmf"))).isNull());

    const QImage image = picture(30, 30);
    const QByteArray files[] = {encoded(image, "bmp"), encoded(image, "ico"),
                                metafile(1000, 500, 1440)};
    const char* names[] = {"cut.bmp", "cut.ico", "cut.wmf"};
    for (int i = 0; i < 3; ++i) {
        for (qsizetype keep : {qsizetype(0), qsizetype(10), qsizetype(30), files[i].size() - 8}) {
            const QString path = write(QLatin1String(names[i]), files[i].left(keep));
            EXPECT_TRUE(LogoPicture::load(path).isNull()) << names[i] << " cut to " << keep;
        }
    }
    QByteArray garbage(4096, 0);
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) % 251);
    for (const char* name : {"garbage.bmp", "garbage.ico", "garbage.wmf"})
        EXPECT_TRUE(LogoPicture::load(write(QLatin1String(name), garbage)).isNull()) << name;
    // A metafile key followed by nonsense, and a zero-size frame.
    QByteArray keyed = metafile(1000, 500, 1440).left(22) + garbage;
    EXPECT_TRUE(LogoPicture::load(write(QStringLiteral("keyed.wmf"), keyed)).isNull());
    EXPECT_TRUE(LogoPicture::load(write(QStringLiteral("flat.wmf"), metafile(0, 500, 1440))).isNull());
}

namespace {

QString dataFile(const char* name)
{
    return QStringLiteral(TAGWRIGHT_TEST_DATA "/logos/") + QLatin1String(name);
}

}  // namespace

TEST(GuardedMetafiles, aMetafileIsDrawnInTheHelperAsInTheProgram)
{
    QFile file(dataFile("shop.wmf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage inProcess = tagwright::printing::InProcessDecoder().decodeMetafile(file.readAll());
    ASSERT_FALSE(tagwright::printing::ChildProcessDecoder::helperPath().isEmpty());
    const QImage guarded = LogoPicture::load(dataFile("shop.wmf"));
    ASSERT_EQ(guarded.size(), QSize(67, 33));
    EXPECT_EQ(guarded.convertToFormat(QImage::Format_ARGB32),
              inProcess.convertToFormat(QImage::Format_ARGB32));
}

// Files made by mutating shop.wmf: a font record's width of 0x7FFF crashes libwmf, a font
// height of 0 and a record turned into DIBCREATEPATTERNBRUSH make it loop for ever. Each
// gives no picture, within the helper's time limit, and leaves this program running.
TEST(GuardedMetafiles, aMetafileThatCrashesOrHangsTheDrawingGivesNoPicture)
{
    const tagwright::printing::ChildProcessDecoder quick({3000, 1, 32 << 20});
    for (const char* name : {"crash-font-width.wmf", "hang-font-height.wmf", "hang-pattern-brush.wmf"}) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(LogoPicture::load(dataFile(name), quick).isNull()) << name;
        EXPECT_LT(clock.elapsed(), 4000) << name;
    }
}

TEST(GuardedMetafiles, hugeBitmapSizeFieldsAreRefusedWithoutOverflow)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bmp = encoded(image, "bmp");
    QByteArray ico = encoded(image, "ico");
    const qint32 sizes[][2] = {{0x7FFFFFFF, 0x7FFFFFFF}, {-0x7FFFFFFF - 1, 4}, {4, -0x7FFFFFFF - 1},
                               {0x10000, 0x10000}};
    tagwright::test::TempFolder folder;
    for (const auto& [width, height] : sizes) {
        QByteArray b = bmp;
        qToLittleEndian<qint32>(width, b.data() + 18);
        qToLittleEndian<qint32>(height, b.data() + 22);
        QByteArray i = ico;
        const quint32 at = qFromLittleEndian<quint32>(i.constData() + 6 + 12);
        qToLittleEndian<qint32>(width, i.data() + at + 4);
        qToLittleEndian<qint32>(height, i.data() + at + 8);
        for (const auto& [name, bytes] : {std::pair{"huge.bmp", b}, std::pair{"huge.ico", i}}) {
            QFile file(folder.file(QLatin1String(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            EXPECT_TRUE(LogoPicture::load(file.fileName()).isNull()) << name << " " << width;
        }
    }
}
