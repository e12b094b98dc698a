#include "PrintingFixture.h"

#include "printing/LabelPrinter.h"
#include "printing/PdfTarget.h"
#include "printing/QtPrinterSurface.h"
#include "support/TempFolder.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace tagwright::printing;

namespace {

QString toolOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool popplerMissing()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty();
}

// Every word with its box, as `pdftotext -bbox` reads them from the file.
QStringList words(const QString& pdf)
{
    static const QRegularExpression word(QStringLiteral("<word [^>]*>[^<]*</word>"));
    QStringList found;
    for (auto it = word.globalMatch(toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
         it.hasNext();)
        found << it.next().captured();
    return found;
}

struct Line {
    QString text;
    FontState font;
};

const Line Lines[] = {
    {QStringLiteral("AVAV To Wa: kerned pairs"), {QStringLiteral("Arial"), 10.25f, false, false}},
    {QStringLiteral("P/N 10-682560-1, 74/80; déjà vu, naïve café"), {QStringLiteral("Arial"), 8, true, false}},
    {QStringLiteral("Times italic, and right to left: שלום עולם"), {QStringLiteral("Times New Roman"), 9.5f, false, true}},
    {QStringLiteral("a tab\tbetween"), {QStringLiteral("Courier New"), 8, false, false}},
};

}  // namespace

// Labels print the same lines again and again; however the surface draws them, each comes
// out where Qt's own drawing of that text puts it, word for word.
TEST(PdfDrawing, textPrintedAgainAndAgainComesOutWhereQtDrawsIt)
{
    if (popplerMissing())
        GTEST_SKIP() << "poppler-utils is not installed";
    tagwright::test::TempFolder folder;
    const QString printed = folder.file(QStringLiteral("printed.pdf"));
    const QString drawn = folder.file(QStringLiteral("drawn.pdf"));
    {
        PdfTarget target(printed);
        QtPrinterSurface surface(target);
        for (int copy = 0; copy < 3; ++copy) {
            for (int i = 0; i < int(std::size(Lines)); ++i) {
                surface.FontName(Lines[i].font.name);
                surface.FontSize(Lines[i].font.size);
                surface.FontBold(Lines[i].font.bold);
                surface.FontItalic(Lines[i].font.italic);
                surface.CurrentX(float(100 + 6000 * (copy % 2)));
                surface.CurrentY(float(300 + 1500 * copy + 300 * i));
                surface.Print(Lines[i].text);
            }
        }
        surface.EndDoc();
        ASSERT_TRUE(target.finish());
    }
    {
        QPdfWriter writer(drawn);
        writer.setResolution(1440);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        for (int copy = 0; copy < 3; ++copy) {
            for (int i = 0; i < int(std::size(Lines)); ++i) {
                QFont font(QtPrinterSurface::installedFamily(Lines[i].font.name));
                font.setPointSizeF(Lines[i].font.size);
                font.setBold(Lines[i].font.bold);
                font.setItalic(Lines[i].font.italic);
                font.setHintingPreference(QFont::PreferNoHinting);
                painter.setFont(font);
                const qreal ascent = QFontMetricsF(font, &writer).ascent();
                painter.drawText(QPointF(100 + 6000 * (copy % 2), 300 + 1500 * copy + 300 * i + ascent), Lines[i].text);
            }
        }
    }
    const QStringList expected = words(drawn);
    ASSERT_GT(expected.size(), 3 * 20);
    EXPECT_EQ(words(printed), expected);
}

// The logo of every label is one picture, which the file holds once.
TEST(PdfDrawing, theLogoOfEveryLabelIsOnePictureHeldOnce)
{
    if (popplerMissing())
        GTEST_SKIP() << "poppler-utils is not installed";
    tagwright::test::TempFolder folder;
    const QString file = folder.file(QStringLiteral("logos.pdf"));
    PrintRequest request = tagwright::test::plainWindow();
    request.label.logo = QImage(37, 37, QImage::Format_RGB32);
    request.label.logo.fill(qRgb(192, 192, 192));
    for (int i = 3; i < 34; ++i)
        request.label.logo.setPixel(i, i, qRgb(16, 64, 160));
    request.sheet.copies = 6;
    {
        PdfTarget target(file);
        QtPrinterSurface surface(target);
        ASSERT_TRUE(LabelPrinter().PrintLabels(surface, request, false).printed());
        ASSERT_TRUE(target.finish());
    }
    // pdfimages -list: two heading lines, then one line per picture drawn, naming its object.
    const QStringList listed = toolOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file})
                                   .split(u'\n', Qt::SkipEmptyParts)
                                   .mid(2);
    QStringList objects;
    for (const QString& line : listed) {
        const QStringList columns = line.simplified().split(u' ');
        if (columns.value(2) == QStringLiteral("image"))
            objects << columns.value(10);
    }
    EXPECT_EQ(objects.size(), 6) << listed.join(u'\n').toStdString();
    objects.removeDuplicates();
    EXPECT_EQ(objects.size(), 1) << listed.join(u'\n').toStdString();
}
