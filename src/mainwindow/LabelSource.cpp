#include "LabelSource.h"

#include "MainWindowControls.h"
#include "UserDialogs.h"

#include "session/CardSession.h"
#include "session/SignatoryCertificate.h"
#include "WindowSnapshot.h"

#include "journal/JournalWriter.h"
#include "journal/PrintInput.h"
#include "store/ShopRecord.h"

#include <QLabel>

namespace tagwright::mainwindow {

LabelSource::LabelSource(const session::CardSession& session, const MainWindowControls& controls,
                         store::Database& main, store::TableCursor& company,
                         journal::JournalWriter& journal, UserDialogs& dialogs, QWidget* window)
    : m_session(session),
      m_controls(controls),
      m_main(main),
      m_company(company),
      m_journal(journal),
      m_dialogs(dialogs),
      m_window(window)
{
}

printing::PrintRequest LabelSource::request() const
{
    printing::PrintRequest request = takeSnapshot(m_session, m_controls);
    // A store that cannot be read now prints the name as typed, as a name without a profile
    // prints; the command that prints reports the store's trouble itself.
    (void)session::addSignatoryCertificate(m_main, request.label);
    return request;
}

QString LabelSource::title() const
{
    return templateTitle(m_session);
}

bool LabelSource::tractorStock() const
{
    store::ShopRecord shop;
    store::readShopRecord(m_company, shop);
    return shop.labelStyle.printedStock() == store::LabelStock::Tractor;
}

void LabelSource::journalPrint(const printing::PrintRequest& input, bool tractorStock,
                               const QString& destination, const printing::PrintResult& result) const
{
    const journal::PrintContext context{title(), m_session.logo(), tractorStock};
    m_journal.record(journal::entryFor(input, context), destination, result);
}

}  // namespace tagwright::mainwindow
