#include "LabelSource.h"

#include "MainWindowControls.h"
#include "ui/UserDialogs.h"

#include "session/CardSession.h"
#include "WindowSnapshot.h"

#include "journal/JournalWriter.h"
#include "journal/PrintInput.h"
#include "session/ShopSettings.h"

#include <QLabel>

namespace tagwright::mainwindow {

LabelSource::LabelSource(const session::CardSession& session, const MainWindowControls& controls,
                         const session::ShopSettings& shop, journal::JournalWriter& journal,
                         ui::UserDialogs& dialogs, QWidget* window)
    : m_session(session),
      m_controls(controls),
      m_shop(shop),
      m_journal(journal),
      m_dialogs(dialogs),
      m_window(window)
{
}

printing::PrintRequest LabelSource::request() const
{
    return takeSnapshot(m_session, m_shop.stored(), m_controls);
}

QString LabelSource::title() const
{
    return templateTitle(m_session);
}

bool LabelSource::tractorStock() const
{
    const store::Result<store::LabelStock> stock = m_shop.printedStock();
    return stock && *stock == store::LabelStock::Tractor;
}

void LabelSource::journalPrint(const printing::PrintRequest& input, bool tractorStock,
                               const QString& destination, const printing::PrintResult& result) const
{
    const journal::PrintContext context{title(), m_session.logo(), tractorStock};
    m_journal.record(journal::entryFor(input, context), destination, result);
}

}  // namespace tagwright::mainwindow
