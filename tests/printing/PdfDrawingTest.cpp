#include "PrintingFixture.h"

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

// The lines of a poppler tool's output that match `pattern`; nothing without poppler-utils.
QStringList toolLines(const QString& tool, const QStringList& arguments, const QString& pattern)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    QStringList found;
    const QRegularExpression match(pattern);
    for (auto it = match.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();)
        found << it.next().captured();
    return found;
}

const struct {
    QString text;
    FontState font;
} Lines[] = {
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
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    tagwright::test::TempFolder folder;
    const QString printed = folder.file(QStringLiteral("printed.pdf"));
    const QString drawn = folder.file(QStringLiteral("drawn.pdf"));
    const auto at = [](int copy, int line) { return QPointF(100 + 6000 * (copy % 2), 300 + 1500 * copy + 300 * line); };
    {
        PdfTarget target(printed);
        QtPrinterSurface surface(target);
        QPdfWriter writer(drawn);
        writer.setResolution(1440);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        for (int copy = 0; copy < 3; ++copy) {
            for (int i = 0; i < int(std::size(Lines)); ++i) {
                const FontState& f = Lines[i].font;
                surface.FontName(f.name);
                surface.FontSize(f.size);
                surface.FontBold(f.bold);
                surface.FontItalic(f.italic);
                surface.CurrentX(float(at(copy, i).x()));
                surface.CurrentY(float(at(copy, i).y()));
                surface.Print(Lines[i].text);

                QFont font(QtPrinterSurface::installedFamily(f.name));
                font.setPointSizeF(f.size);
                font.setBold(f.bold);
                font.setItalic(f.italic);
                font.setHintingPreference(QFont::PreferNoHinting);
                painter.setFont(font);
                painter.drawText(at(copy, i) + QPointF(0, QFontMetricsF(font, &writer).ascent()), Lines[i].text);
            }
        }
        surface.EndDoc();
        ASSERT_TRUE(target.finish());
    }
    const auto words = [](const QString& pdf) {
        return toolLines(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")},
                         QStringLiteral("<word [^>]*>[^<]*</word>"));
    };
    ASSERT_GT(words(drawn).size(), 3 * 20);
    EXPECT_EQ(words(printed), words(drawn));
}

// The logo of every label is one picture, which the file holds once.
TEST(PdfDrawing, theLogoOfEveryLabelIsOnePictureHeldOnce)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
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
        ASSERT_TRUE(LabelPrinter().PrintLabels(surface, request).printed());
        ASSERT_TRUE(target.finish());
    }
    // pdfimages -list: a line per picture drawn, ending in the object that holds it.
    QStringList objects = toolLines(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file},
                                    QStringLiteral("(?m)^ +1 +\\d+ image .* (\\d+ +0) .*$"));
    EXPECT_EQ(objects.size(), 6) << objects.join(u'\n').toStdString();
    for (QString& line : objects)
        line = line.simplified().section(u' ', 10, 11);
    objects.removeDuplicates();
    EXPECT_EQ(objects.size(), 1) << objects.join(u'\n').toStdString();
}
