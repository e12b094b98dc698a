#include "PrintingFixture.h"

#include "printing/PdfTarget.h"
#include "printing/PrinterError.h"
#include "printing/QtPrinterSurface.h"
#include "support/TempFolder.h"

#include <QFile>

using namespace tagwright::printing;
using tagwright::test::firstText;
using tagwright::test::opsOfKind;

TEST(RecordingSurface, captionStayingOnTheLineIsFollowedByItsValue)
{
    RecordingSurface surface;
    surface.CurrentX(300);
    surface.CurrentY(500);
    surface.Print(QStringLiteral("Date: "), LineEnd::StayOnLine);
    surface.Print(QStringLiteral("03-07-2001"), LineEnd::EndLine);

    const auto texts = surface.textOps();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1].x, 300 + surface.TextWidth(QStringLiteral("Date: ")));
    EXPECT_EQ(texts[1].y, 500);
    EXPECT_EQ(surface.CurrentX(), 0);
    EXPECT_EQ(surface.CurrentY(), 500 + 24 * 8);
}

TEST(RecordingSurface, emptyLinesMoveDownAndLineEndsAtItsFarPoint)
{
    RecordingSurface surface;
    surface.CurrentY(100);
    surface.Print(QString());
    surface.Print(QString());
    EXPECT_EQ(surface.CurrentY(), 100 + 2 * 192);

    surface.Line(100, 500, 3000, 500);
    EXPECT_EQ(surface.CurrentX(), 3000);
    EXPECT_EQ(surface.CurrentY(), 500);
    surface.FilledBox(80, 215, 15, 15, 0xFF);
    EXPECT_EQ(surface.CurrentX(), 95);
    EXPECT_EQ(surface.CurrentY(), 230);
}

TEST(RecordingSurface, metricsAreFixedAndCountCrLfPairs)
{
    RecordingSurface surface;
    surface.FontSize(10);
    EXPECT_EQ(surface.TextWidth(QStringLiteral("abc")), 300);
    EXPECT_EQ(surface.TextHeight(QStringLiteral("A")), 240);
    EXPECT_EQ(surface.TextHeight(QStringLiteral("a\r\nb\r\nc")), 720);
    EXPECT_EQ(surface.TextHeight(QStringLiteral("a\rb\nc")), 240);
    EXPECT_EQ(surface.TwipsPerPixelX(), 15);
}

TEST(RecordingSurface, jobOpensWithOutputAndEndDocSendsItOnce)
{
    RecordingSurface surface;
    surface.PageSize(7920, 4350);
    surface.FontBold(true);
    EXPECT_FALSE(surface.jobOpen());
    surface.EndDoc();
    EXPECT_EQ(surface.jobsSent(), 0);

    surface.Print(QStringLiteral("x"));
    surface.EndDoc();
    surface.EndDoc();
    EXPECT_EQ(surface.jobsSent(), 1);
    EXPECT_EQ(opsOfKind(surface, RecordedOp::Kind::EndDoc).size(), 1);
}

TEST(RecordingSurface, fontSettingsPersistAcrossPagesAndJobs)
{
    RecordingSurface surface;
    surface.FontName(QStringLiteral("Arial"));
    surface.FontSize(8);
    surface.Print(QStringLiteral("a"));
    surface.NewPage();
    surface.EndDoc();
    surface.FontBold(true);
    surface.Print(QStringLiteral("b"));

    const auto b = firstText(surface, QStringLiteral("b"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->font.name, "Arial");
    EXPECT_EQ(b->font.size, 8);
    EXPECT_TRUE(b->font.bold);
}

TEST(RecordingSurface, unacceptedFontRaises380AndKeepsTheFont)
{
    RecordingSurface surface({QStringLiteral("courier new")});
    surface.FontName(QStringLiteral("Courier New"));
    try {
        surface.FontName(QStringLiteral("Wingdings"));
        FAIL() << "no error raised";
    } catch (const PrinterError& error) {
        EXPECT_EQ(error.number(), 380);
    }
    EXPECT_EQ(surface.FontName(), "Courier New");
    EXPECT_NO_THROW(surface.FontName(QStringLiteral("ARIAL")));
    EXPECT_THROW(surface.FontSize(0), PrinterError);
}

TEST(RecordingSurface, traceLinesHaveExactlyTheDocumentedKeys)
{
    RecordingSurface surface;
    surface.PageSize(7920, 4350);
    surface.CurrentX(10.25f);
    surface.Print(QStringLiteral("say \"hi\""), LineEnd::StayOnLine);
    surface.Line(1, 2, 3, 4);
    surface.FilledBox(5, 6, 15, 15, 0xC0C0C1);
    surface.NewPage();
    surface.EndDoc();

    const QStringList lines = surface.traceLines().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], R"({"op":"pagesize","width":7920,"height":4350})");
    EXPECT_EQ(lines[1], R"({"op":"text","x":10.25,"y":0,"text":"say \"hi\"","font":"Arial",)"
                        R"("size":8,"bold":false,"italic":false,"end":false})");
    EXPECT_EQ(lines[2], R"({"op":"line","x1":1,"y1":2,"x2":3,"y2":4,"color":0})");
    EXPECT_EQ(lines[3], R"({"op":"box","x":5,"y":6,"w":15,"h":15,"color":12632257})");
    EXPECT_EQ(lines[4], R"({"op":"newpage"})");
    EXPECT_EQ(lines[5], R"({"op":"enddoc"})");
}

TEST(QtPrinterSurface, windowsFamiliesMapToTheirMetricTwins)
{
    EXPECT_EQ(QtPrinterSurface::installedFamily(QStringLiteral("arial")), "Liberation Sans");
    EXPECT_EQ(QtPrinterSurface::installedFamily(QStringLiteral("MS Sans Serif")), "Liberation Sans");
    EXPECT_EQ(QtPrinterSurface::installedFamily(QStringLiteral("Times New Roman")), "Liberation Serif");
    EXPECT_EQ(QtPrinterSurface::installedFamily(QStringLiteral("Courier New")), "Liberation Mono");
    EXPECT_EQ(QtPrinterSurface::installedFamily(QStringLiteral("No Such Face 123")), "");
}

TEST(QtPrinterSurface, measuresInTwipsOnThePrintDeviceAndRaises380ForUnknownFaces)
{
    tagwright::test::TempFolder folder;
    PdfTarget target(folder.file(QStringLiteral("m.pdf")));
    QtPrinterSurface surface(target);
    surface.FontName(QStringLiteral("Arial"));
    surface.FontSize(8);
    // Arial 8 point: a line pitch of about 1.15 em (184 twips); "Date: " is 2.67 em.
    EXPECT_NEAR(surface.TextHeight(QStringLiteral("A")), 184, 4);
    EXPECT_NEAR(surface.TextWidth(QStringLiteral("Date: ")), 427, 1);
    EXPECT_THROW(surface.FontName(QStringLiteral("No Such Face 123")), PrinterError);
    EXPECT_EQ(surface.FontName(), "Arial");
    EXPECT_FALSE(surface.jobOpen());
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("m.pdf"))));
}

TEST(PdfTarget, everyJobStartsOnANewPageOfTheSameFile)
{
    tagwright::test::TempFolder folder;
    const QString file = folder.file(QStringLiteral("jobs.pdf"));
    {
        PdfTarget target(file);
        QtPrinterSurface surface(target);
        surface.PageSize(7920, 4350);
        surface.Print(QStringLiteral("one"));
        surface.NewPage();
        surface.Print(QStringLiteral("two"));
        surface.EndDoc();
        surface.Print(QStringLiteral("three"));
        surface.EndDoc();
        EXPECT_TRUE(target.finish());
    }
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 3);
}

#include <unistd.h>

// A link at the PDF's name (print to file, the labels written when no printer is installed)
// is refused: the file it points at keeps its bytes and nothing is created where a dangling
// one points.
TEST(PdfTarget, aLinkAtTheNameIsRefusedNeverWrittenThrough)
{
    tagwright::test::TempFolder folder;
    const QString precious = folder.file(QStringLiteral("precious.txt"));
    QFile file(precious);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    for (const QString& pointsAt : {precious, folder.file(QStringLiteral("made-through-link.pdf"))}) {
        const QString name = folder.file(QStringLiteral("label.pdf"));
        QFile::remove(name);
        ASSERT_EQ(::symlink(QFile::encodeName(pointsAt).constData(), QFile::encodeName(name).constData()), 0);
        PdfTarget target(name);
        try {
            target.beginJob(std::nullopt);
            ADD_FAILURE() << "the link was written through";
        } catch (const PrinterError& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("symbolic link"))) << error.message().toStdString();
        }
    }
    QFile kept(precious);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "keep me");
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("made-through-link.pdf"))));
}
