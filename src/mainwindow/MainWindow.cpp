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
#include "store/Schema.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>
#include <QThread>

namespace tagwright::mainwindow {

namespace schema = store::schema;

MainWindow::MainWindow(store::Database& mainDatabase, store::Database& setupDatabase,
                       UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      m_mainDatabase(mainDatabase),
      m_setupDatabase(setupDatabase),
      m_dialogs(dialogs),
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
    session::MainState& state = m_session.state();
    const CardParts cardParts{m_controls, state, m_session, m_templates, dialogs, this};
    m_card = std::make_unique<TemplateCard>(cardParts, *m_commands);
    m_signatoryList = new SignatoryList(m_controls.signatoryList, m_signatories, state, dialogs, this);
    m_label = std::make_unique<LabelSource>(m_session, m_controls, m_mainDatabase, m_company, *m_journalWriter, dialogs,
                                            this);
    m_printCommand = new PrintCommand(*m_label, m_session, m_controls,
                                      std::make_unique<SystemPrintOutput>(*this, dialogs), this);
    m_templateEditor = std::make_unique<TemplateEditor>(cardParts, *m_card);
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

namespace {

// The texts of the values that are present, in order: missing ones are left out.
QStringList presentTexts(const QVariantList& values)
{
    QStringList texts;
    texts.reserve(values.size());
    for (const QVariant& value : values) {
        if (!value.isNull())
            texts << value.toString();
    }
    return texts;
}

}  // namespace

store::StoreError MainWindow::load()
{
    m_controls.dateBox->setText(todayText());
    for (auto [cursor, table] : {std::pair{&m_templates, schema::LabelsTable},
                                 std::pair{&m_company, schema::CompanyInfoTable},
                                 std::pair{&m_signatories, schema::MechanicsTable}}) {
        if (store::StoreError error = cursor->open(m_mainDatabase, table); !error.ok())
            return error;
    }
    fillDefaultLabelList();
    fillSignatoryList();
    m_session.state().TabPos = 0;
    loadCompanySettings();
    return {};
}

void MainWindow::fillDefaultLabelList()
{
    QComboBox* list = m_controls.defaultLabelList;
    list->clear();
    if (m_templates.bof() && m_templates.eof())
        return;
    // Templates without a title are left out; the cursor ends after the last record, as a
    // walk through it would leave it. One query and one insertion keep a large file quick.
    list->addItems(presentTexts(m_templates.columnValues(schema::labels::Description)));
    m_templates.moveLast();
    m_templates.moveNext();
    list->setCurrentIndex(-1);
}

void MainWindow::refillDefaultLabelList()
{
    QComboBox* list = m_controls.defaultLabelList;
    const QString chosen = list->currentIndex() >= 0 ? list->currentText() : QString();
    list->clear();
    list->addItems(presentTexts(m_templates.columnValues(schema::labels::Description)));
    list->setCurrentIndex(chosen.isEmpty() ? -1 : exactListSearch(list, chosen));
}

void MainWindow::fillSignatoryList()
{
    QComboBox* list = m_controls.signatoryList;
    list->clear();
    list->addItems(presentTexts(m_signatories.columnValues(schema::mechanics::Mechanics)));
    m_signatories.moveLast();
    m_signatories.moveNext();
    list->setCurrentIndex(-1);
    list->setEditText(QString());
}

store::StoreError MainWindow::refreshSharedRecords()
{
    for (store::TableCursor* cursor : {&m_company, &m_signatories}) {
        if (store::StoreError error = cursor->refresh(); !error.ok())
            return error;
    }
    const QString chosen = m_controls.signatoryList->currentText();
    fillSignatoryList();
    m_controls.signatoryList->setCurrentIndex(exactListSearch(m_controls.signatoryList, chosen));
    m_controls.signatoryList->setEditText(chosen);
    return {};
}

void MainWindow::loadCompanySettings()
{
    store::ShopRecord shop;
    bool found = false;
    store::readShopRecord(m_company, shop, &found);
    if (!found)
        return;
    showShopRecord(shop);
    m_controls.phoneBox->setText(shop.phone);
    m_session.state().FindText = shop.defaultLabel;
}

void MainWindow::showShopRecord(const store::ShopRecord& shop)
{
    m_controls.companyNameBox->setText(shop.companyName);
    m_controls.addressBox->setText(shop.address);
    m_controls.cityStateZipBox->setText(shop.cityStateZip);
    m_controls.repairStationBox->setText(shop.repairStation);
    QLineEdit* const offsetBoxes[5] = {m_controls.topRowOffset, m_controls.middleRowOffset,
                                       m_controls.bottomRowOffset, m_controls.leftColumnOffset,
                                       m_controls.rightColumnOffset};
    for (std::size_t i = 0; i < 5; ++i)
        offsetBoxes[i]->setText(shop.offsetTexts[i]);
    m_controls.defaultLabelList->setCurrentIndex(
        exactListSearch(m_controls.defaultLabelList, shop.defaultLabel));
}

}  // namespace tagwright::mainwindow
