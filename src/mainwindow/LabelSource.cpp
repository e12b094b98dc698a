#include "LabelSource.h"

#include "MainWindowControls.h"
#include "ui/UserDialogs.h"

#include "session/CardSession.h"

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

store::Result<printing::PrintRequest> LabelSource::request() const
{
    return m_session.printRequest();
}

QString LabelSource::title() const
{
    return m_session.title();
}

void LabelSource::reportUnreadSettings(const QString& command, const store::StoreError& error) const
{
    m_dialogs.showMessage(m_window, QMessageBox::Critical, command,
                          QStringLiteral("Nothing was printed: the shop's settings, which say which "
                                         "labels are in the printer, could not be read.\n\n%1")
                              .arg(error.describe()));
}

void LabelSource::journalPrint(const printing::PrintRequest& input, const QString& destination,
                               const printing::PrintResult& result) const
{
    const journal::PrintContext context{title(), m_session.logo()};
    m_journal.record(journal::entryFor(input, context), destination, result);
}

}  // namespace tagwright::mainwindow
