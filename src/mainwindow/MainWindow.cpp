#include "MainWindow.h"

#include "CommandActions.h"
#include "LabelSource.h"
#include "ui/FormLayout.h"
#include "ui/ListSearch.h"
#include "MainWindowLayout.h"
#include "PrintCommand.h"
#include "ui/ScreenFonts.h"
#include "SessionBinding.h"
#include "SignatoryList.h"
#include "SystemPrintOutput.h"
#include "TemplateCard.h"
#include "TemplateEditor.h"
#include "ui/UserDialogs.h"
#include "ui/WindowKeys.h"

#include "journal/JournalWriter.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>
#include <QThread>

namespace tagwright::mainwindow {


MainWindow::MainWindow(store::Database& mainDatabase, store::Database& setupDatabase,
                       ui::UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      m_mainDatabase(mainDatabase),
      m_setupDatabase(setupDatabase),
      m_dialogs(dialogs),
      m_shop(mainDatabase, setupDatabase),
      m_signatoryStore(mainDatabase),
      m_session(&m_shop, &m_signatoryStore),
      m_templateStore(mainDatabase),
      m_cards(m_templateStore, m_session),
      m_journalWriter(std::make_unique<journal::JournalWriter>(mainDatabase))
{
    // A journal that cannot record how a label ended is told (the entry itself was written
    // before the label left).
    m_journalWriter->setFailureHandler([this](const journal::JournalEntry& entry,
                                              const store::StoreError& error) {
        m_dialogs.showMessage(
            this, QMessageBox::Warning, QStringLiteral("Journal"),
            QStringLiteral("The journal could not record how the label sent to %1 ended: %2")
                .arg(entry.destination, error.describe()));
    });
    ui::installScreenFontSubstitutions();
    ui::nameWidget(this, {"mainWindow", "Form1"});
    setWindowTitle(QStringLiteral("Tagwright"));
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPointSizeF(8.25);
    setFont(windowFont);

    auto* area = new QWidget(this);
    ui::nameWidget(area, {"cardArea", "Form1Area"});
    area->setFixedSize(mainWindowInnerSize());
    setCentralWidget(area);
    m_controls = buildMainWindowLayout(area);
    ui::addRedoKey(area);
    m_commands = new CommandActions(m_session, m_controls, this);
    new SessionBinding(m_session, m_controls, this);
    m_card = std::make_unique<TemplateCard>(m_controls, m_session, m_cards, m_shop, dialogs, this,
                                            *m_commands);
    m_signatoryList = new SignatoryList(m_controls.signatoryList, m_signatoryStore, m_session.state(),
                                        dialogs, this);
    m_label = std::make_unique<LabelSource>(m_session, *m_journalWriter, dialogs, this,
                                            std::make_unique<SystemPrintOutput>(*this, dialogs));
    m_label->setJournalDatabase(mainDatabase);
    m_printCommand = new PrintCommand(*m_label, m_session, m_controls, this);
    m_templateEditor = std::make_unique<TemplateEditor>(m_controls, m_session, m_cards, *m_card,
                                                        dialogs, this);
    m_card->setLeaveQuestion([this] { return m_templateEditor->askBeforeLeaving(); });
    m_programEnd = [] {
        // Without a running loop there is no program run to end, and ending the loops
        // ahead of time would stop every later one from starting.
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::exit(0);
    };
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_templateEditor->confirmClose()) {
        event->ignore();
        return;
    }
    // What the journal still has to write is written, and a failure told, while the window
    // is there to tell it.
    m_journalWriter->flush();
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && m_programEnd)
        m_programEnd();
}

QString MainWindow::todayText()
{
    return QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy"));
}

store::StoreError MainWindow::load()
{
    m_controls.dateBox->setText(todayText());
    if (const session::CardOutcome opened = m_cards.open(); !opened.ok())
        return opened.error;
    if (store::StoreError error = fillSignatoryList(); !error.ok())
        return error;
    if (store::StoreError error = m_shop.load(); !error.ok())
        return error;
    m_session.state().FindText = m_shop.stored().defaultLabel;
    m_session.state().TabPos = 0;
    return {};
}

store::StoreError MainWindow::fillSignatoryList()
{
    const store::Result<QStringList> names = m_signatoryStore.names();
    if (!names)
        return names.error();
    QComboBox* list = m_controls.signatoryList;
    list->clear();
    list->addItems(*names);
    list->setCurrentIndex(-1);
    list->setEditText(QString());
    return {};
}

store::StoreError MainWindow::refreshSignatories()
{
    const QString chosen = m_controls.signatoryList->currentText();
    if (store::StoreError error = fillSignatoryList(); !error.ok())
        return error;
    m_controls.signatoryList->setCurrentIndex(ui::exactListSearch(m_controls.signatoryList, chosen));
    m_controls.signatoryList->setEditText(chosen);
    return {};
}

}  // namespace tagwright::mainwindow
