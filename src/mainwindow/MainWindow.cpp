#include "MainWindow.h"

#include "CommandActions.h"
#include "LabelSource.h"
#include "ListSearch.h"
#include "MainWindowLayout.h"
#include "PrintCommand.h"
#include "PrintOutput.h"
#include "ScreenFonts.h"
#include "SessionBinding.h"
#include "SignatoryList.h"
#include "SystemPrintOutput.h"
#include "TemplateCard.h"
#include "TemplateEditor.h"
#include "UserDialogs.h"
#include "WindowKeys.h"

#include "journal/JournalWriter.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>
#include <QThread>

namespace tagwright::mainwindow {


MainWindow::MainWindow(store::Database& mainDatabase, store::Database& setupDatabase,
                       UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      m_mainDatabase(mainDatabase),
      m_setupDatabase(setupDatabase),
      m_dialogs(dialogs),
      m_templateStore(mainDatabase),
      m_signatoryStore(mainDatabase),
      m_cards(m_templateStore, m_session),
      m_journalWriter(std::make_unique<journal::JournalWriter>(mainDatabase))
{
    // A journal that cannot take an entry is told: the label went out all the same.
    m_journalWriter->setFailureHandler([this](const journal::JournalEntry& entry,
                                              const store::StoreError& error) {
        m_dialogs.showMessage(
            this, QMessageBox::Warning, QStringLiteral("Journal"),
            QStringLiteral("The label went to %1, but the journal could not record it: %2")
                .arg(entry.destination, error.describe()));
    });
    installScreenFontSubstitutions();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tagwright"));
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPointSizeF(8.25);
    setFont(windowFont);

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("Form1Area"));
    area->setFixedSize(mainWindowInnerSize());
    setCentralWidget(area);
    m_controls = buildMainWindowLayout(area);
    addRedoKey(area);
    m_commands = new CommandActions(m_session, m_controls, this);
    new SessionBinding(m_session, m_controls, this);
    m_card = std::make_unique<TemplateCard>(m_controls, m_session, m_cards, dialogs, this, *m_commands);
    m_signatoryList = new SignatoryList(m_controls.signatoryList, m_signatoryStore, m_session.state(),
                                        dialogs, this);
    m_label = std::make_unique<LabelSource>(m_session, m_controls, mainDatabase, *m_journalWriter,
                                            dialogs, this);
    m_printCommand = new PrintCommand(*m_label, m_session, m_controls,
                                      std::make_unique<SystemPrintOutput>(*this, dialogs), this);
    m_templateEditor = std::make_unique<TemplateEditor>(m_controls, m_session, m_cards, *m_card,
                                                        dialogs, this);
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
    for (auto fill : {&MainWindow::fillDefaultLabelList, &MainWindow::fillSignatoryList,
                      &MainWindow::loadCompanySettings}) {
        if (store::StoreError error = (this->*fill)(); !error.ok())
            return error;
    }
    m_session.state().TabPos = 0;
    return {};
}

// Templates without a title are left out. One query and one insertion keep a large file
// quick.
store::StoreError MainWindow::fillDefaultLabelList()
{
    QComboBox* list = m_controls.defaultLabelList;
    const store::Result<QVector<store::TemplateTitle>> titles = m_templateStore.titles();
    if (!titles)
        return titles.error();
    QStringList present;
    present.reserve(titles->size());
    for (const store::TemplateTitle& title : *titles) {
        if (!title.title.isNull())
            present << title.title.toString();
    }
    list->clear();
    list->addItems(present);
    list->setCurrentIndex(-1);
    return {};
}

store::StoreError MainWindow::refillDefaultLabelList()
{
    QComboBox* list = m_controls.defaultLabelList;
    const QString chosen = list->currentIndex() >= 0 ? list->currentText() : QString();
    if (store::StoreError error = fillDefaultLabelList(); !error.ok())
        return error;
    list->setCurrentIndex(chosen.isEmpty() ? -1 : exactListSearch(list, chosen));
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

store::StoreError MainWindow::refreshSharedRecords()
{
    const QString chosen = m_controls.signatoryList->currentText();
    if (store::StoreError error = fillSignatoryList(); !error.ok())
        return error;
    m_controls.signatoryList->setCurrentIndex(exactListSearch(m_controls.signatoryList, chosen));
    m_controls.signatoryList->setEditText(chosen);
    return {};
}

store::StoreError MainWindow::loadCompanySettings()
{
    const store::Result<store::ShopRecord> shop = store::readShopRecord(m_mainDatabase);
    if (!shop)
        return shop.error();
    if (!shop->stored())
        return {};
    showShopRecord(*shop);
    m_controls.phoneBox->setText(shop->phone);
    m_session.state().FindText = shop->defaultLabel;
    return {};
}

void MainWindow::showShopRecord(const store::ShopRecord& shop)
{
    m_controls.companyNameBox->setText(shop.companyName);
    m_controls.addressBox->setText(shop.address);
    m_controls.cityStateZipBox->setText(shop.cityStateZip);
    QLineEdit* const offsetBoxes[5] = {m_controls.topRowOffset, m_controls.middleRowOffset,
                                       m_controls.bottomRowOffset, m_controls.leftColumnOffset,
                                       m_controls.rightColumnOffset};
    for (std::size_t i = 0; i < 5; ++i)
        offsetBoxes[i]->setText(shop.offsetTexts[i]);
    m_controls.defaultLabelList->setCurrentIndex(
        exactListSearch(m_controls.defaultLabelList, shop.defaultLabel));
}

}  // namespace tagwright::mainwindow
