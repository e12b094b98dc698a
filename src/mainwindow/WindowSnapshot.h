#pragma once

#include "printing/PrintRequest.h"

#include <QVector>

namespace tagwright::session {
struct MainState;
class CardSession;
}

namespace tagwright::mainwindow {

struct MainWindowControls;

// What Print would print from the window as it stands: the captions, options, aircraft
// values, date, signatory, copies and used cells as the card session holds them; the body,
// font and logo of the template on show and the shop's block from their boxes, the offsets
// read here, once, by their leading number.
printing::PrintRequest takeSnapshot(const session::CardSession& session,
                                    const MainWindowControls& controls);

// The title of the template on show, as its title tab shows it: print jobs and exported
// files are named after it.
QString templateTitle(const MainWindowControls& controls, const session::MainState& state);

// Shows the underscore runs a job put into empty header values in their value boxes.
void writeBackFilledValues(session::CardSession& session, const QVector<printing::ValueFill>& filled);

}  // namespace tagwright::mainwindow
