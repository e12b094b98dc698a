#include "LabelSource.h"

#include "MainWindowControls.h"
#include "UserDialogs.h"

#include "session/CardSession.h"
#include "WindowSnapshot.h"

#include "journal/JournalWriter.h"
#include "journal/PrintInput.h"
#include "store/ShopRecord.h"
#include "store/SignatoryProfiles.h"

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
    printing::LabelContent& label = request.label;
    // A store that cannot be read now prints the label without them, as a name without a
    // profile prints; the command that prints reports the store's trouble itself.
    std::optional<store::SignatoryProfile> profile;
    if (!label.signatory.isEmpty() && store::SignatoryProfiles(m_main).find(label.signatory, profile).ok()
        && profile) {
        label.certificateKind = profile->certificateKind;
        label.certificateNumber = profile->certificateNumber;
    }
    store::ShopRecord shop;
    if (store::readShopRecord(m_company, shop).ok())
        label.company.repairStation = shop.repairStation;
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
