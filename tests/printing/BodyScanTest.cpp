#include "PrintingFixture.h"

using namespace tagwright::printing;
using namespace tagwright::test;

namespace {

enum class Stock { Laser, Tractor };

// Body lines of one label: at 10 points a character is 100 twips, so 55 fit in 5501 on a
// laser sheet and 78 in the 7820 between the tractor label's rules.
QStringList bodyLines(const QString& body, float bodySize = 8, Stock stock = Stock::Laser)
{
    PrintRequest window = plainWindow();
    window.label.registration.caption = window.label.make.caption = window.label.serial.caption = QString();
    window.label.tach.caption = window.label.totalTime.caption = window.label.sinceOverhaul.caption = QString();
    window.label.registration.value.clear();
    window.label.date.clear();
    window.label.body = body;
    window.label.bodyFont.FontSize = bodySize;
    window.stock = stock == Stock::Tractor ? LabelStock::Tractor : LabelStock::Laser;
    RecordingSurface surface;
    LabelPrinter().PrintLabels(surface, window);
    return lineTexts(surface);
}

QString run(QChar c, int n)
{
    return QString(n, c);
}

}  // namespace

TEST(BodyScan, hardLineBreaksAndEmptyBodies)
{
    EXPECT_EQ(bodyLines(QStringLiteral("abc\r\ndef")), (QStringList{"abc", "def"}));
    EXPECT_EQ(bodyLines(QStringLiteral("abc\r\n")), (QStringList{"abc", ""}));
    // A carriage return as the last character: the position after it is skipped.
    EXPECT_EQ(bodyLines(QStringLiteral("abc\r")), (QStringList{"abc", ""}));
    EXPECT_EQ(bodyLines(QString()), QStringList{""});
    EXPECT_EQ(bodyLines(QStringLiteral("a\r\n\r\nb")), (QStringList{"a", "", "b"}));
}

TEST(BodyScan, wideLinesBreakAtSpacesAndBreakCharacters)
{
    const QString x50 = run(u'x', 50);
    // A space is dropped; a hyphen, slash, backslash or colon begins the next line.
    EXPECT_EQ(bodyLines(x50 + QStringLiteral(" yyyyyyyyyy")), (QStringList{x50, "yyyyyyyyyy"}));
    EXPECT_EQ(bodyLines(x50 + QStringLiteral("-contained")), (QStringList{x50, "-contained"}));
    EXPECT_EQ(bodyLines(x50 + QStringLiteral("/yyyyyyyyyy")), (QStringList{x50, "/yyyyyyyyyy"}));
    EXPECT_EQ(bodyLines(x50 + QStringLiteral(":yyyyyyyyyy")), (QStringList{x50, ":yyyyyyyyyy"}));
    // Exactly 55 characters fit; the 56th is a space and goes.
    EXPECT_EQ(bodyLines(run(u'a', 55) + QStringLiteral(" b")), (QStringList{run(u'a', 55), "b"}));
    // Of two spaces at the break the first is dropped and the second begins the next line.
    EXPECT_EQ(bodyLines(run(u'a', 55) + QStringLiteral("  b")), (QStringList{run(u'a', 55), " b"}));
}

TEST(BodyScan, runsWithoutBreakCharacterAreCutWhereTheyStopFitting)
{
    EXPECT_EQ(bodyLines(run(u'w', 60)), (QStringList{run(u'w', 55), run(u'w', 5)}));
    EXPECT_EQ(bodyLines(run(u'w', 120)), (QStringList{run(u'w', 55), run(u'w', 55), run(u'w', 10)}));
}

TEST(BodyScan, alwaysMakesProgress)
{
    // A break character only at the run's first position counts as none.
    EXPECT_EQ(bodyLines(QStringLiteral("-") + run(u'w', 60)),
              (QStringList{QStringLiteral("-") + run(u'w', 54), run(u'w', 6)}));
    EXPECT_EQ(bodyLines(QStringLiteral("x") + run(u'w', 54) + QStringLiteral("/") + run(u'w', 60)),
              (QStringList{QStringLiteral("x") + run(u'w', 54),
                           QStringLiteral("/") + run(u'w', 54), run(u'w', 6)}));
    // Characters each wider than the line: one a line. As after any break that uses up the
    // text, a last, empty line closes the body.
    EXPECT_EQ(bodyLines(QStringLiteral("ab-c"), 600), (QStringList{"a", "b", "-", "c", ""}));
}

TEST(BodyScan, aSpaceAtTheFirstPositionIsABreakLikeAnyOtherOnBothStocks)
{
    for (const auto& [stock, fit] : {std::pair{Stock::Laser, 55}, std::pair{Stock::Tractor, 78}}) {
        // The break search reaches the space at the first position: an empty line, and the
        // space goes.
        EXPECT_EQ(bodyLines(QStringLiteral(" ") + run(u'w', fit + 5), 8, stock),
                  (QStringList{"", run(u'w', fit), run(u'w', 5)}))
            << fit;
        // The second of two spaces at a break begins the next line, and so breaks it.
        EXPECT_EQ(bodyLines(run(u'a', fit) + QStringLiteral("  ") + run(u'b', fit + 5), 8, stock),
                  (QStringList{run(u'a', fit), "", run(u'b', fit), run(u'b', 5)}))
            << fit;
        // Any other break character there would give an empty line and no progress.
        EXPECT_EQ(bodyLines(QStringLiteral(":") + run(u'w', fit + 5), 8, stock),
                  (QStringList{QStringLiteral(":") + run(u'w', fit - 1), run(u'w', 6)}))
            << fit;
    }
}

TEST(BodyScan, linesAreOneTextHeightApartFromTheRule)
{
    PrintRequest window = plainWindow();
    window.label.body = QStringLiteral("one\r\ntwo\r\nthree");
    RecordingSurface surface;
    LabelPrinter().PrintLabels(surface, window);
    EXPECT_EQ(firstText(surface, QStringLiteral("one"))->y, 630);
    EXPECT_EQ(firstText(surface, QStringLiteral("two"))->y, 870);
    EXPECT_EQ(firstText(surface, QStringLiteral("three"))->y, 1110);
    EXPECT_EQ(firstText(surface, QStringLiteral("three"))->x, 50);
}
