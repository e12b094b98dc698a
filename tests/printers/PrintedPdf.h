#pragma once

#include <QImage>
#include <QPointF>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

namespace tagwright::test {

// What a printed or exported PDF shows, as poppler's tools read it: the print service's
// files carry no usable text layer, so where the label lies is where its ink is.
struct PrintedPdf {
    QString title;
    std::vector<QSizeF> pageSizes;    // points
    std::vector<QPointF> inkCorners;  // top left corner of each page's ink, points

    int pages() const { return int(pageSizes.size()); }

    static QString run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    static PrintedPdf read(const QString& fileName)
    {
        PrintedPdf pdf;
        const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                            QStringLiteral("-l"), QStringLiteral("99"), fileName});
        static const QRegularExpression titleLine(QStringLiteral("^Title:\\s*(.*)$"),
                                                  QRegularExpression::MultilineOption);
        pdf.title = titleLine.match(info).captured(1).trimmed();
        static const QRegularExpression sizeLine(QStringLiteral("^Page\\s+\\d+ size:\\s*([\\d.]+) x ([\\d.]+) pts"),
                                                 QRegularExpression::MultilineOption);
        for (auto it = sizeLine.globalMatch(info); it.hasNext();) {
            const auto match = it.next();
            pdf.pageSizes.emplace_back(match.captured(1).toDouble(), match.captured(2).toDouble());
        }
        // 144 dots per inch: half a point a pixel.
        QTemporaryDir pngs;
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-gray"),
                                         QStringLiteral("-png"), fileName, pngs.filePath(QStringLiteral("page"))});
        for (int page = 1; page <= pdf.pages(); ++page) {
            QImage image;
            // pdftoppm pads the page number to the width of the last one.
            for (int width = 1; width <= 3 && image.isNull(); ++width)
                image.load(pngs.filePath(QStringLiteral("page-%1.png").arg(page, width, 10, QLatin1Char('0'))));
            pdf.inkCorners.push_back(inkCorner(image));
        }
        return pdf;
    }

    static QPointF inkCorner(const QImage& page)
    {
        const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
        int left = gray.width(), top = gray.height();
        for (int y = 0; y < gray.height(); ++y) {
            const uchar* line = gray.constScanLine(y);
            for (int x = 0; x < gray.width(); ++x) {
                if (line[x] < 128) {
                    left = qMin(left, x);
                    top = qMin(top, y);
                }
            }
        }
        return QPointF(left / 2.0, top / 2.0);
    }
};

}  // namespace tagwright::test
