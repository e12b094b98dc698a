#include "PrintingFixture.h"

#include "printing/Completeness.h"

using namespace tagwright::printing;
using namespace tagwright::test;

namespace {

// The texts printed at or below the signature rule, in order, with where each stands.
struct Printed {
    QString text;
    float x;
    float y;
    float size;
};

QVector<Printed> signOff(const RecordingSurface& surface, float ruleY)
{
    QVector<Printed> printed;
    for (const RecordedOp& op : surface.textOps()) {
        if (op.y >= ruleY && !op.text.contains(QStringLiteral(" of ")))
            printed.append({op.text, op.x, op.y, op.font.size});
    }
    return printed;
}

float signatureRule(const RecordingSurface& surface)
{
    return opsOfKind(surface, RecordedOp::Kind::Line).last().y;
}

}  // namespace

// Recording metrics: 80 twips a character at 8 points, 192 a line. The laser rule runs 2900
// from LabelX + 100, the label's rule to LabelX + 5600; tractor feed from LabelX + 3000 to
// the page's right edge less LabelX (50).
TEST(SignOff, theCertificateFollowsTheNameOnItsLineWhenItFitsTheRuleElseBelowIt)
{
    const QString longName = QStringLiteral("Maximilian Worthington-Smythe");   // 29 characters
    const QString typedLong = QString(80, u'W');
    const struct {
        const char* what;
        bool tractor;
        QString name, kind, number;
        QVector<Printed> expected;   // y relative to the rule
    } cases[] = {
        {"laser, one line", false, "J. R. Mitchell", "A&P/IA", "2468135",
         {{"J. R. Mitchell, A&P/IA 2468135", 150, 0, 8}}},
        {"laser, number without a kind", false, "J. R. Mitchell", "", "2468135",
         {{"J. R. Mitchell, Cert. No. 2468135", 150, 0, 8}}},
        {"laser, too long for the rule", false, longName, "A&P/IA", "2468135",
         {{longName, 150, 0, 8}, {"A&P/IA 2468135", 150, 192, 8}}},
        {"laser, a name without a profile prints as typed", false, "J. Smith A&P 1234", "", "",
         {{"J. Smith A&P 1234", 150, 0, 8}}},
        // 80 characters reach past the label's rule: condensed to 5500 / 80 / 10 = 6.875
        // points, on the quarter point below.
        {"laser, a typed name wider than the label", false, typedLong, "", "",
         {{typedLong, 150, 0, 6.75f}}},
        {"tractor, one line", true, "J. R. Mitchell", "A&P/IA", "2468135",
         {{"J. R. Mitchell, A&P/IA 2468135", 3050, 0, 8}}},
        // 29 + 2 + 14 characters fit the tractor's 4820 twips.
        {"tractor, long name still on one line", true, longName, "A&P/IA", "2468135",
         {{longName + ", A&P/IA 2468135", 3050, 0, 8}}},
        {"tractor, too long for the rule", true, longName + longName, "A&P/IA", "2468135",
         {{longName + longName, 3050, 0, 8}, {"A&P/IA 2468135", 3050, 192, 8}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PrintRequest window = plainWindow();
        window.label.printsSignature = true;
        window.label.signatory = c.name;
        window.label.certificateKind = c.kind;
        window.label.certificateNumber = c.number;
        window.stock = c.tractor ? LabelStock::Tractor : LabelStock::Laser;
        RecordingSurface surface;
        LabelPrinter printer;
        ASSERT_TRUE(printer.PrintLabels(surface, window).printed());
        const float rule = signatureRule(surface);
        QVector<Printed> printed = signOff(surface, rule);
        ASSERT_EQ(printed.size(), c.expected.size());
        for (qsizetype i = 0; i < printed.size(); ++i) {
            EXPECT_EQ(printed[i].text, c.expected[i].text);
            EXPECT_EQ(printed[i].x, c.expected[i].x);
            EXPECT_EQ(printed[i].y - rule, c.expected[i].y);
            EXPECT_FLOAT_EQ(printed[i].size, c.expected[i].size);
        }
    }
}

// Recording metrics: the laser block is centred on LabelX + 2850 between the rule's ends, so
// a line takes at most 5500 twips, 68 characters at 8 points.
TEST(SignOff, theStationNumberJoinsThePhoneLineWhenItFitsElseStandsUnderIt)
{
    const struct {
        const char* what;
        QString phone;
        QStringList lines;   // from the phone line's height down
    } cases[] = {
        {"beside the phone", "316-555-0142", {"316-555-0142, Repair Station No. NWAR123K"}},
        {"no phone", "", {"Repair Station No. NWAR123K"}},
        {"a phone line too long to share", QString(50, u'5'), {QString(50, u'5'), "Repair Station No. NWAR123K"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PrintRequest window = plainWindow();
        window.label.printsCompany = true;
        window.label.company = {"Skyline Aero", "1200 Hangar Road", "Wichita, KS 67209", c.phone, "NWAR123K"};
        RecordingSurface surface;
        LabelPrinter printer;
        ASSERT_TRUE(printer.PrintLabels(surface, window).printed());
        QStringList lines;
        for (const RecordedOp& op : surface.textOps()) {
            if (op.y >= 200 + 450 && op.y < 200 + 750) {
                lines << op.text;
                EXPECT_EQ(op.x + op.text.size() * 5 * op.font.size, 2900) << "centred";
                // A line of its own: a point smaller and 10 twips higher than the block's pitch.
                EXPECT_EQ(op.y, lines.size() == 1 ? 650 : 790);
                EXPECT_EQ(op.font.size, lines.size() == 1 ? 8 : 7);
            }
        }
        EXPECT_EQ(lines, c.lines);
    }
    // Without a station the block is the four lines it always was.
    PrintRequest window = plainWindow();
    window.label.printsCompany = true;
    window.label.company.phone = QStringLiteral("316-555-0142");
    RecordingSurface surface;
    LabelPrinter().PrintLabels(surface, window);
    EXPECT_TRUE(firstText(surface, QStringLiteral("316-555-0142")));
}

TEST(SignOff, aSignedLabelLacksTheNamedSignatorysNumberOrAnUndatedOneItsDate)
{
    const struct {
        bool signed_;
        QString signatory, number, date;
        QString message;
    } cases[] = {
        {true, "J. R. Mitchell", "2468135", "03-14-2026", ""},
        {true, "Walk In", "", "03-14-2026", "This label names Walk In without a certificate number."},
        {true, "Walk In", "", " ", "This label names Walk In without a certificate number and has no date."},
        {true, "", "", "03-14-2026", ""},             // "Authorized Signature": signed by hand
        {false, "Walk In", "", "03-14-2026", ""},     // not signed: no name on the label
        {false, "", "", "", "This label has no date."},
    };
    for (const auto& c : cases) {
        LabelContent label;
        label.printsSignature = c.signed_;
        label.signatory = c.signatory;
        label.certificateNumber = c.number;
        label.date = c.date;
        EXPECT_EQ(missingFacts(label).message(), c.message) << c.signatory.toStdString();
    }
}
