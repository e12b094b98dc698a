#include "session/CardSession.h"

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

}  // namespace
