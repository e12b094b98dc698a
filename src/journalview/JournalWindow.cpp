#include "JournalWindow.h"

#include "AircraftPage.h"
#include "DayBox.h"
#include "EntryPrinting.h"

#include "journal/JournalCsv.h"
#include "journal/JournalWriter.h"
#include "ui/UserDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tagwright::journalview {

namespace {

QLineEdit* filterBox(const char* objectName, const QString& placeholder)
{
    auto* box = new QLineEdit;
    box->setObjectName(QLatin1String(objectName));
    box->setPlaceholderText(placeholder);
    box->setClearButtonEnabled(true);
    return box;
}

QPushButton* button(const QString& text, const char* objectName)
{
    auto* pushButton = new QPushButton(text);
    pushButton->setObjectName(QLatin1String(objectName));
    pushButton->setAutoDefault(false);
    return pushButton;
}

}  // namespace

JournalWindow::JournalWindow(const JournalPlace& place)
    : QDialog(place.window), m_place(place), m_journal(place.database), m_model(m_journal)
{
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(QStringLiteral("Journal"));
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("journalTabs"));
    m_aircraftPage = new AircraftPage(m_journal, place.dialogs);
    tabs->addTab(buildEntriesPage(), QStringLiteral("Printed labels"));
    tabs->addTab(m_aircraftPage, QStringLiteral("Aircraft"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    resize(900, 520);

    // Typing is read once the user pauses, not at every key.
    m_typing.setSingleShot(true);
    m_typing.setInterval(250);
    connect(&m_typing, &QTimer::timeout, this, &JournalWindow::applyFilter);
    for (QLineEdit* box : {m_registration, m_template, m_text})
        connect(box, &QLineEdit::textChanged, &m_typing, qOverload<>(&QTimer::start));
    for (DayBox* box : {m_since, m_until})
        connect(box, &DayBox::dayChanged, this, &JournalWindow::applyFilter);

    m_refresh.setInterval(RefreshInterval);
    connect(&m_refresh, &QTimer::timeout, this, &JournalWindow::refreshEntries);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        if (first == 0)
            keepRowsInView(last - first + 1);
        updateButtons();
    });
}

QWidget* JournalWindow::buildEntriesPage()
{
    m_registration = filterBox("journalRegistration", QStringLiteral("any"));
    m_registration->setToolTip(QStringLiteral("A registration, or how it starts"));
    m_template = filterBox("journalTemplate", QStringLiteral("any"));
    m_template->setToolTip(QStringLiteral("A template's title, or how it starts"));
    m_text = filterBox("journalText", QStringLiteral("words in the body"));
    m_text->setToolTip(QStringLiteral("Words found in the body, each anywhere, in any order"));
    m_since = new DayBox(QStringLiteral("journalSince"));
    m_until = new DayBox(QStringLiteral("journalUntil"));
    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Reg #")));
    filters->addWidget(m_registration);
    filters->addWidget(new QLabel(QStringLiteral("Template")));
    filters->addWidget(m_template);
    filters->addWidget(new QLabel(QStringLiteral("From")));
    filters->addWidget(m_since);
    filters->addWidget(new QLabel(QStringLiteral("to")));
    filters->addWidget(m_until);
    filters->addWidget(new QLabel(QStringLiteral("Text")));
    filters->addWidget(m_text, 1);

    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("journalTable"));
    m_table->setModel(&m_model);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(journal::JournalModel::Number, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table, &QTableView::doubleClicked, this, &JournalWindow::showSelected);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &JournalWindow::updateButtons);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &JournalWindow::updateButtons);

    m_show = button(QStringLiteral("&Show label"), "journalShow");
    m_reprint = button(QStringLiteral("&Reprint"), "journalReprint");
    QPushButton* exportButton = button(QStringLiteral("&Export CSV..."), "journalExport");
    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("journalCount"));
    connect(m_show, &QPushButton::clicked, this, &JournalWindow::showSelected);
    connect(m_reprint, &QPushButton::clicked, this, &JournalWindow::reprintSelected);
    connect(exportButton, &QPushButton::clicked, this, &JournalWindow::exportShown);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_show);
    buttons->addWidget(m_reprint);
    buttons->addWidget(exportButton);
    buttons->addStretch(1);
    buttons->addWidget(m_count);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(filters);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    return page;
}

void JournalWindow::openJournal()
{
    // The entries of the prints just made are read with the rest.
    m_place.writer.flush();
    applyFilter();
    m_aircraftPage->reload();
    m_refresh.start();
    show();
    raise();
    activateWindow();
}

void JournalWindow::applyFilter()
{
    m_typing.stop();
    journal::JournalFilter filter;
    filter.registration = m_registration->text();
    filter.templateTitle = m_template->text();
    filter.bodyText = m_text->text();
    filter.since = m_since->day();
    filter.until = m_until->day();
    filter.prefixes = true;
    m_model.setFilter(filter);
    if (!m_model.lastError().ok())
        tellStoreError(m_model.lastError());
}

void JournalWindow::refreshEntries()
{
    if (!isVisible())
        return m_refresh.stop();
    // A view that cannot read now (a server gone for a moment) tries again at the next turn.
    m_model.refresh();
}

void JournalWindow::keepRowsInView(int added)
{
    // Rows added above the first one in view push it down by as many rows: the view
    // follows, so what the user reads stays where it is. At the very top, the new entries show.
    QScrollBar* bar = m_table->verticalScrollBar();
    if (bar->value() == 0)
        return;
    // The view lays its rows out later; its range grows by the rows added (one step each).
    bar->setMaximum(bar->maximum() + added);
    bar->setValue(bar->value() + added);
}

void JournalWindow::reject()
{
    if (!m_aircraftPage->mayLeave())
        return;
    m_refresh.stop();
    QDialog::reject();
}

void JournalWindow::updateButtons()
{
    const bool chosen = selectedEntry() != nullptr;
    m_show->setEnabled(chosen);
    m_reprint->setEnabled(chosen);
    const qint64 total = m_model.total();
    m_count->setText(total == 1 ? QStringLiteral("1 entry") : QStringLiteral("%L1 entries").arg(total));
}

const journal::JournalEntry* JournalWindow::selectedEntry() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= m_model.rowCount())
        return nullptr;
    return &m_model.entryAt(rows.first().row());
}

void JournalWindow::showSelected()
{
    if (const journal::JournalEntry* entry = selectedEntry())
        previewEntry(m_place, *entry);
    m_place.writer.flush();
    refreshEntries();
}

void JournalWindow::reprintSelected()
{
    const journal::JournalEntry* entry = selectedEntry();
    if (!entry)
        return;
    const journal::JournalEntry chosen = *entry;
    reprintEntry(m_place, this, chosen);
    m_place.writer.flush();
    refreshEntries();
}

void JournalWindow::exportShown()
{
    const store::Result<QVector<journal::JournalEntry>> entries = m_model.allShown();
    if (!entries)
        return tellStoreError(entries.error());
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString fileName = m_place.dialogs.saveFileName(
        this, QStringLiteral("Export CSV"),
        QDir(folder).filePath(QStringLiteral("journal %1.csv").arg(QDate::currentDate().toString(Qt::ISODate))),
        QStringLiteral("CSV files (*.csv)"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".csv");
    QSaveFile file(fileName);
    const QByteArray bytes = journal::csv::entries(*entries).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit()) {
        m_place.dialogs.showMessage(this, QMessageBox::Critical, QStringLiteral("Export CSV"),
                                       QStringLiteral("The file %1 could not be written: %2")
                                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    }
}

void JournalWindow::tellStoreError(const store::StoreError& error)
{
    m_place.dialogs.showMessage(this, QMessageBox::Critical, QStringLiteral("Journal"), error.describe());
}

}  // namespace tagwright::journalview
