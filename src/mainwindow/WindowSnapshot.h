#pragma once

#include "printing/PrintRequest.h"

#include <QVector>

namespace tagwright::session {
class CardSession;
}
namespace tagwright::store {
struct ShopRecord;
}

namespace tagwright::mainwindow {

struct MainWindowControls;

// What Print would print from the window as it stands: the body with its font, captions,
// options, aircraft values, date, signatory, copies and used cells as the card session
// holds them; the logo's pixels as the card shows them, the shop's block and offsets
// (read once, by their leading number) from the stored shop settings.
printing::PrintRequest takeSnapshot(const session::CardSession& session,
                                    const store::ShopRecord& shop,
                                    const MainWindowControls& controls);

// The title of the template on show, as its title tab shows it: print jobs and exported
// files are named after it.
QString templateTitle(const session::CardSession& session);

// Shows the underscore runs a job put into empty header values in their value boxes.
void writeBackFilledValues(session::CardSession& session, const QVector<printing::ValueFill>& filled);

}  // namespace tagwright::mainwindow
