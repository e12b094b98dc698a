#include "session/CardSession.h"

#include "printing/LabelPrinter.h"
#include "printing/RecordingSurface.h"
#include "store/TemplateStore.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace tagwright;
using session::CardSession;
using session::Command;

namespace {

// The enabled commands as letters: P(age) N(ew) S(ave) F(ont) L(ogo) R (print) X (exit)
// D(elete) U (setup); a dot where the command is disabled.
std::string enabledCommands(const CardSession& session)
{
    static const char letters[] = "PNSFLRXDU";
    std::string shown;
    int index = 0;
    for (Command command : session::AllCommands) {
        shown += session.isEnabled(command) ? letters[index] : '.';
        ++index;
    }
    return shown;
}

struct Step {
    const char* what;
    std::function<void(CardSession&)> act;
    const char* enabled;
};

TEST(CardSessionTest, theModeDecidesWhatIsEnabledThroughEditingAndBothPanels)
{
    const std::vector<Step> steps = {
        {"start: browsing", [](CardSession&) {}, "PN.FLRXDU"},
        {"body typed", [](CardSession& s) { s.offerSave(); }, "PNSFLRXDU"},
        {"caption changed", [](CardSession& s) { s.enterEditing(); }, "..SFLR..."},
        {"print panel up while editing", [](CardSession& s) { s.openPrintOptions(); }, "........."},
        // Leaving the panel gives all eight buttons back, even while editing.
        {"print panel closed", [](CardSession& s) { s.closePrintOptions(); }, ".NSFLRXDU"},
        {"setup panel open", [](CardSession& s) { s.setSetupPanelOpen(true); }, "........U"},
        {"setup panel closed", [](CardSession& s) { s.setSetupPanelOpen(false); }, ".N.FLRXDU"},
        {"display step", [](CardSession& s) { s.leaveEditing(); }, "PN.FLRXDU"},
        {"print panel up while browsing", [](CardSession& s) { s.openPrintOptions(); }, "P........"},
        {"print cancelled", [](CardSession& s) { s.closePrintOptions(); }, "PNSFLRXDU"},
        {"caption changed after print", [](CardSession& s) { s.enterEditing(); }, "..SFLR..."},
        {"saved", [](CardSession& s) { s.leaveEditing(); }, "PN.FLRXDU"},
    };
    CardSession session;
    for (const Step& step : steps) {
        step.act(session);
        EXPECT_EQ(enabledCommands(session), step.enabled) << step.what;
    }
}

TEST(CardSessionTest, valuesSignalOnlyRealChanges)
{
    CardSession session;
    QSignalSpy values(&session, &CardSession::aircraftValueChanged);
    QSignalSpy cells(&session, &CardSession::cellUsedChanged);
    QSignalSpy mode(&session, &CardSession::modeChanged);

    session.setAircraftValue(3, QStringLiteral("1234.5"));
    session.setAircraftValue(3, QStringLiteral("1234.5"));
    session.setAircraftValue(6, QStringLiteral("no such line"));
    ASSERT_EQ(values.size(), 1);
    EXPECT_EQ(values[0][0].toInt(), 3);
    EXPECT_EQ(session.aircraftValue(3), "1234.5");

    // The panel starts with cell 1 free and the others used.
    EXPECT_FALSE(session.cellUsed(1));
    EXPECT_TRUE(session.cellUsed(6));
    EXPECT_FALSE(session.cellUsed(7));
    session.toggleCell(1);
    session.toggleCell(2);
    session.setCellUsed(3, true);
    session.toggleCell(0);
    EXPECT_TRUE(session.cellUsed(1));
    EXPECT_FALSE(session.cellUsed(2));
    EXPECT_EQ(cells.size(), 2);

    QSignalSpy options(&session, &CardSession::optionsChanged);
    session.setPrintsSignature(true);
    session.setPrintsSignature(true);
    session.setCaption(0, QStringLiteral("Tail #"));
    EXPECT_EQ(options.size(), 1);
    EXPECT_EQ(session.caption(0), "Tail #");

    session.leaveEditing();  // already browsing
    EXPECT_EQ(mode.size(), 0);
}

// A stored template with the usual captions, as a store would load it.
store::Template annual()
{
    store::Template stored;
    stored.key = {1, 1};
    stored.title = QStringLiteral("Annual");
    stored.body = QStringLiteral("Annual body");
    stored.fontName = QStringLiteral("Arial");
    stored.printsCompany = true;
    stored.captions = {"Reg #", "Make", "Serial", "Tach", "T.T.", "SMOH"};
    return stored;
}

TEST(CardSessionTest, theCardSaysWhatDiffersFromTheStoredTemplate)
{
    using Part = CardSession::Part;
    using Parts = CardSession::Parts;
    struct Case {
        const char* what;
        std::function<void(CardSession&)> edit;
        Parts differs;
    };
    const std::vector<Case> cases = {
        {"nothing touched", [](CardSession&) {}, {}},
        {"title typed", [](CardSession& c) { c.setTitle("Annual 2"); }, Part::Title},
        {"body typed", [](CardSession& c) { c.setBody("Annual body."); }, Part::Body},
        {"body typed back", [](CardSession& c) {
             c.setBody("x");
             c.setBody("Annual body");
         }, {}},
        {"caption", [](CardSession& c) { c.setCaption(5, "S.M.O.H."); }, Part::Captions},
        {"option", [](CardSession& c) { c.setPrintsCompany(!c.printsCompany()); }, Part::Options},
        {"logo chosen", [](CardSession& c) { c.setLogo("/logos/shop.png"); }, Part::Logo},
        {"font chosen (written at once)",
         [](CardSession& c) { c.setBodyFont({"Arial", 12, false, false}); }, {}},
        {"values for the next label",
         [](CardSession& c) {
             c.setAircraftValue(0, "N123AB");
             c.setDate("12/10/2026");
             c.setSignatory("A. Mechanic");
         },
         {}},
        {"title and body", [](CardSession& c) {
             c.setTitle("");
             c.setBody("");
         }, Parts(Part::Title) | Part::Body},
    };
    for (const Case& test : cases) {
        CardSession card;
        card.show(annual());
        test.edit(card);
        EXPECT_EQ(card.differsFromStored(), test.differs) << test.what;
        EXPECT_EQ(card.hasUnsavedChanges(), bool(test.differs)) << test.what;
    }
}

TEST(CardSessionTest, aRewrittenTemplateKeepsTheTypingUnsavedAndANewOneComparesOnlyItsText)
{
    CardSession card;
    QSignalSpy mode(&card, &CardSession::modeChanged);
    card.show(annual());
    EXPECT_EQ(mode.size(), 0);  // shown whole without passing through editing
    EXPECT_EQ(card.body(), "Annual body");
    card.setBody(QStringLiteral("typed"));
    // A font written meanwhile: the new version is on show, the typing is still unsaved.
    store::Template rewritten = annual();
    rewritten.key.version = 2;
    rewritten.fontSize = 12;
    card.recordRewritten(rewritten);
    EXPECT_EQ(card.storedTemplate().key.version, 2);
    EXPECT_EQ(card.differsFromStored(), CardSession::Part::Body);
    EXPECT_EQ(card.edited().body, "typed");

    // A template begun with New has nothing stored to compare its captions with.
    card.showTitleAndBody(store::Template());
    card.setCaption(0, QStringLiteral("Tail #"));
    EXPECT_FALSE(card.differsFromStored());
    card.setTitle(QStringLiteral("Fresh"));
    EXPECT_EQ(card.differsFromStored(), CardSession::Part::Title);
    card.enterEditing();
    EXPECT_TRUE(card.hasUnsavedChanges());
}

// The panel's cells as '#' (used) and '.' (free), cell 1 first.
std::string cellMarks(const CardSession& session)
{
    std::string marks;
    for (int cell = 1; cell <= 6; ++cell)
        marks += session.cellUsed(cell) ? '#' : '.';
    return marks;
}

TEST(CardSessionTest, aLaserPrintMarksTheCellsItCoveredOnTheLastSheet)
{
    struct Case {
        const char* what;
        const char* usedBefore;
        double copies;
        int bodyLines;
        const char* usedAfter;
    };
    const Case cases[] = {
        {"one label from cell 1", "......", 1, 1, "#....."},
        {"the last free cell fills the sheet: a fresh one", ".#####", 1, 1, "......"},
        {"copies filling the sheet exactly: a fresh one", "......", 6, 1, "......"},
        {"used cells are skipped", ".#....", 3, 1, "####.."},
        {"a body running on covers the next cell too", "......", 1, 20, "##...."},
        {"a body running on skips a used cell", ".#....", 1, 20, "###..."},
        {"past the sheet only the last sheet counts", "#.....", 6, 1, "##...."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CardSession session;
        for (int cell = 1; cell <= 6; ++cell)
            session.setCellUsed(cell, c.usedBefore[cell - 1] == '#');
        session.setCopies(c.copies);
        QStringList lines;
        for (int line = 0; line < c.bodyLines; ++line)
            lines.append(QStringLiteral("line %1").arg(line));
        session.setBody(lines.join(u'\n'));
        const store::Result<printing::PrintRequest> request = session.printRequest();
        ASSERT_TRUE(request);
        printing::RecordingSurface surface;
        const printing::PrintResult result = printing::LabelPrinter().PrintLabels(surface, *request);
        ASSERT_TRUE(result.printed());

        session.markPrintedCells(result.lastSheetCells);
        EXPECT_EQ(cellMarks(session), c.usedAfter);
    }
}

}  // namespace
