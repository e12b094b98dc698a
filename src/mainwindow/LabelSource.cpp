#include "LabelSource.h"

#include "journal/Disagreement.h"
#include "journal/Journal.h"
#include "session/CardSession.h"
#include "ui/UserDialogs.h"

namespace tagwright::mainwindow {

LabelSource::LabelSource(const session::CardSession& session, journal::EntrySink& journal,
                         ui::UserDialogs& dialogs, QWidget* window,
                         std::unique_ptr<printjob::LabelOutput> output)
    : m_session(session), m_dialogs(dialogs), m_window(window), m_pipeline(journal),
      m_output(std::move(output))
{
}

LabelSource::~LabelSource() = default;

store::Result<printing::PrintRequest> LabelSource::request() const
{
    return m_session.printRequest();
}

std::optional<journal::Disagreement> LabelSource::disagreement() const
{
    if (!m_journalDatabase)
        return std::nullopt;
    const QString registration = m_session.aircraftValue(0);
    if (registration.trimmed().isEmpty())
        return std::nullopt;
    // A journal that cannot be read asks nothing: the label prints as typed, and the
    // journal's own check notes a disagreement when it records it.
    const store::Result<std::optional<journal::Aircraft>> known =
        journal::Journal(*m_journalDatabase).aircraftNamed(registration);
    if (!known || !*known)
        return std::nullopt;
    return journal::disagreementWith(**known, m_session.aircraftValue(1), m_session.aircraftValue(2));
}

QString LabelSource::title() const
{
    return m_session.title();
}

printjob::PrintOutcome LabelSource::print(const printing::PrintRequest& request,
                                          printjob::LabelOutput& output,
                                          const printjob::PrintPipeline::OverlongQuestion& askOverlong)
{
    return m_pipeline.print(request, {title(), m_session.logo()}, output, askOverlong);
}

void LabelSource::report(const QString& command, const printjob::PrintOutcome& outcome) const
{
    reportPrint(m_dialogs, m_window, command, outcome);
}

void LabelSource::reportUnreadSettings(const QString& command, const store::StoreError& error) const
{
    m_dialogs.showMessage(m_window, QMessageBox::Critical, command,
                          QStringLiteral("Nothing was printed: the shop's settings, which say which "
                                         "labels are in the printer, or its signatories, which hold "
                                         "their certificates, could not be read.\n\n%1")
                              .arg(error.describe()));
}

void reportPrint(ui::UserDialogs& dialogs, QWidget* parent, const QString& command,
                 const printjob::PrintOutcome& outcome)
{
    using Status = printjob::PrintOutcome::Status;
    switch (outcome.status) {
    case Status::Cancelled:
        return;
    case Status::Refused:
        dialogs.showMessage(parent, QMessageBox::Warning, command, outcome.message);
        return;
    case Status::Nothing:
        dialogs.showMessage(parent, QMessageBox::Warning, command,
                            QStringLiteral("Nothing was printed: the copies box reads no number above 0."));
        return;
    case Status::Failed:
        dialogs.showMessage(parent, QMessageBox::Critical,
                            command == QLatin1String("Export PDF") ? command : QStringLiteral("Printing failed"),
                            outcome.message);
        return;
    case Status::Printed:
        break;
    }
    if (!outcome.note.isEmpty())
        dialogs.showMessage(parent, QMessageBox::Information, command, outcome.note);
}

}  // namespace tagwright::mainwindow
