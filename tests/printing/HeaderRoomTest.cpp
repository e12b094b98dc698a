#include "PrintingFixture.h"

#include "printing/ValueRoom.h"

using namespace tagwright::printing;
using namespace tagwright::test;

namespace {

// The size the text was printed in, or 0 when it was not printed.
float sizeOf(const RecordingSurface& surface, const QString& text)
{
    const auto op = firstText(surface, text);
    return op ? op->font.size : 0;
}

struct RoomCase {
    const char* what;
    HeaderSlot slot;
    QString caption;   // empty: the usual one
    QString value;
    QString printed;   // the value, or the underscores an empty one gets
    float size;        // points the value prints in
    bool fits;         // false: named as too long
};

void checkRoom(bool tractor, const RoomCase& c)
{
    SCOPED_TRACE(c.what);
    PrintRequest window = plainWindow();
    HeaderLine& line = window.label.line(c.slot);
    if (!c.caption.isEmpty())
        line.caption = c.caption;
    line.value = c.value;
    window.stock = tractor ? LabelStock::Tractor : LabelStock::Laser;
    RecordingSurface surface;
    LabelPrinter printer;
    const PrintResult result = printer.PrintLabels(surface, window);
    EXPECT_EQ(sizeOf(surface, c.printed), c.size);
    EXPECT_EQ(result.overlong, c.fits ? QStringList() : QStringList{line.caption});
    // The condensed size is the value's alone: its caption and the body keep theirs.
    EXPECT_EQ(sizeOf(surface, line.caption + QStringLiteral(": ")), 8);
    EXPECT_EQ(sizeOf(surface, QStringLiteral("Body")), 10);
    // Asked before printing, the same values are named, nothing is drawn and the surface's
    // font stays as it was.
    RecordingSurface asked;
    asked.FontName(QStringLiteral("Courier New"));
    asked.FontItalic(true);
    EXPECT_EQ(overlongValues(asked, window), result.overlong);
    EXPECT_TRUE(asked.ops().isEmpty());
    EXPECT_EQ(asked.FontName(), "Courier New");
    EXPECT_EQ(asked.FontSize(), 8);
    EXPECT_TRUE(asked.FontItalic());
}

}  // namespace

// Recording metrics: a character is 10 twips a point wide, so "Serial: " at 8 points takes
// 640 of the 1460 twips from its column to the rule's end.
TEST(HeaderRoom, laserValuesTooWideForTheirPlacePrintCondensedDownToSixPoints)
{
    const QString serial13 = QStringLiteral("46-92222013XY");
    const QString make30(30, u'M');
    const RoomCase cases[] = {
        {"a serial that fits", HeaderSlot::Serial, {}, QStringLiteral("172S10458"), QStringLiteral("172S10458"), 8, true},
        {"a 13-character serial", HeaderSlot::Serial, {}, serial13, serial13, 6.25f, true},
        {"an empty serial's 12 underscores", HeaderSlot::Serial, {}, QString(), QString(12, u'_'), 6.75f, true},
        {"a 30-character make", HeaderSlot::Make, {}, make30, make30, 7.5f, true},
        {"a make under a long caption", HeaderSlot::Make, QStringLiteral("Make and model of the aircraft"),
         QStringLiteral("C172S"), QStringLiteral("C172S"), 6, false},
        {"a full SMOH at the rule's end", HeaderSlot::SinceOverhaul, {}, QStringLiteral("12345.67"),
         QStringLiteral("12345.67"), 8, true},
    };
    for (const RoomCase& c : cases)
        checkRoom(false, c);
}

// On tractor labels the columns are wider; the last one ends at the rule's end, 7920 less
// the left edge.
TEST(HeaderRoom, tractorValuesTooWideForTheirPlacePrintCondensedDownToSixPoints)
{
    const QString serial13 = QStringLiteral("46-92222013XY");
    const QString make30(30, u'M');
    const RoomCase cases[] = {
        {"a 13-character serial", HeaderSlot::Serial, {}, serial13, serial13, 8, true},
        {"a 30-character make under a longer caption", HeaderSlot::Make, QStringLiteral("Make and model"),
         make30, make30, 7.5f, true},
        {"a registration under a long caption", HeaderSlot::Registration,
         QStringLiteral("Aircraft registration mark"), QStringLiteral("C-GKWZM"), QStringLiteral("C-GKWZM"), 6, false},
    };
    for (const RoomCase& c : cases)
        checkRoom(true, c);
}

TEST(HeaderRoom, theMessageNamesEachValueTooLongForItsPlace)
{
    EXPECT_EQ(overlongMessage({}), QString());
    EXPECT_EQ(overlongMessage({QStringLiteral("Make")}), "The Make value is too long to print in its place.");
    EXPECT_EQ(overlongMessage({QStringLiteral("Reg #"), QStringLiteral("Make"), QStringLiteral("Date")}),
              "The Reg #, Make and Date values are too long to print in their places.");
}
