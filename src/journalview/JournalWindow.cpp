#include "JournalWindow.h"

#include "EntryPrinting.h"

#include "journal/JournalCsv.h"
#include "journal/JournalWriter.h"
#include "ui/UserDialogs.h"

#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tagwright::journalview {

namespace {

// The first day a date box offers stands for "any day".
const QDate AnyDay(2000, 1, 1);

QDateEdit* dayBox(const char* objectName)
{
    auto* box = new QDateEdit;
    box->setObjectName(QLatin1String(objectName));
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setMinimumDate(AnyDay);
    box->setSpecialValueText(QStringLiteral("any day"));
    box->setDate(AnyDay);
    return box;
}

QDate chosenDay(const QDateEdit* box)
{
    return box->date() == AnyDay ? QDate() : box->date();
}

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

enum AircraftColumn { Registration, Make, Serial, Tach, TotalTime, SinceOverhaul, TimesDate, AircraftColumns };

}  // namespace

JournalWindow::JournalWindow(const JournalPlace& place)
    : QDialog(place.window), m_place(place), m_journal(place.database), m_model(m_journal)
{
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(QStringLiteral("Journal"));
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("journalTabs"));
    tabs->addTab(buildEntriesPage(), QStringLiteral("Printed labels"));
    tabs->addTab(buildAircraftPage(), QStringLiteral("Aircraft"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    resize(900, 520);

    // Typing is read once the user pauses, not at every key.
    m_typing.setSingleShot(true);
    m_typing.setInterval(250);
    connect(&m_typing, &QTimer::timeout, this, &JournalWindow::applyFilter);
    for (QLineEdit* box : {m_registration, m_template, m_text})
        connect(box, &QLineEdit::textChanged, &m_typing, qOverload<>(&QTimer::start));
    for (QDateEdit* box : {m_since, m_until})
        connect(box, &QDateEdit::dateChanged, this, &JournalWindow::applyFilter);
}

QWidget* JournalWindow::buildEntriesPage()
{
    m_registration = filterBox("journalRegistration", QStringLiteral("any"));
    m_template = filterBox("journalTemplate", QStringLiteral("any"));
    m_text = filterBox("journalText", QStringLiteral("words in the body"));
    m_since = dayBox("journalSince");
    m_until = dayBox("journalUntil");
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

QWidget* JournalWindow::buildAircraftPage()
{
    m_aircraftTable = new QTableWidget(0, AircraftColumns);
    m_aircraftTable->setObjectName(QStringLiteral("aircraftTable"));
    m_aircraftTable->setHorizontalHeaderLabels({QStringLiteral("Reg #"), QStringLiteral("Make"),
                                                QStringLiteral("Serial"), QStringLiteral("Tach"),
                                                QStringLiteral("T.T."), QStringLiteral("SMOH"),
                                                QStringLiteral("Times dated")});
    m_aircraftTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_aircraftTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_aircraftTable->verticalHeader()->hide();
    m_aircraftTable->horizontalHeader()->setStretchLastSection(true);
    QPushButton* save = button(QStringLiteral("Save &correction"), "aircraftSave");
    QPushButton* remove = button(QStringLiteral("Re&move aircraft"), "aircraftRemove");
    connect(save, &QPushButton::clicked, this, &JournalWindow::correctAircraft);
    connect(remove, &QPushButton::clicked, this, &JournalWindow::removeAircraft);
    auto* hint = new QLabel(QStringLiteral("Edit a row, then save it. Removing an aircraft leaves "
                                           "its journal entries as they are."));
    hint->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(remove);
    buttons->addWidget(hint, 1);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_aircraftTable, 1);
    layout->addLayout(buttons);
    return page;
}

void JournalWindow::openJournal()
{
    // The entries of the prints just made are read with the rest.
    m_place.writer.flush();
    applyFilter();
    reloadAircraft();
    show();
    raise();
    activateWindow();
}

void JournalWindow::applyFilter()
{
    m_typing.stop();
    m_model.setFilter({m_registration->text(), m_template->text().trimmed(), m_text->text(),
                       chosenDay(m_since), chosenDay(m_until)});
    if (!m_model.lastError().ok())
        tellStoreError(m_model.lastError());
}

void JournalWindow::updateButtons()
{
    const bool chosen = selectedEntry() != nullptr;
    m_show->setEnabled(chosen);
    m_reprint->setEnabled(chosen);
    const int rows = m_model.rowCount();
    const QString more = m_model.canFetchMore({}) ? QStringLiteral("+") : QString();
    m_count->setText(rows == 1 && more.isEmpty() ? QStringLiteral("1 entry")
                                                 : QStringLiteral("%1%2 entries").arg(rows).arg(more));
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
    m_model.reload();
}

void JournalWindow::reprintSelected()
{
    const journal::JournalEntry* entry = selectedEntry();
    if (!entry)
        return;
    const journal::JournalEntry chosen = *entry;
    reprintEntry(m_place, this, chosen);
    m_place.writer.flush();
    m_model.reload();
}

void JournalWindow::exportShown()
{
    QVector<journal::JournalEntry> entries;
    if (store::StoreError error = m_model.allShown(entries); !error.ok())
        return tellStoreError(error);
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
    const QByteArray bytes = journal::csv::entries(entries).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit()) {
        m_place.dialogs.showMessage(this, QMessageBox::Critical, QStringLiteral("Export CSV"),
                                       QStringLiteral("The file %1 could not be written: %2")
                                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    }
}

void JournalWindow::reloadAircraft()
{
    if (store::StoreError error = m_journal.aircraft(m_aircraft); !error.ok())
        return tellStoreError(error);
    m_aircraftTable->setRowCount(int(m_aircraft.size()));
    for (int row = 0; row < m_aircraft.size(); ++row) {
        const journal::Aircraft& plane = m_aircraft[row];
        const QString cells[AircraftColumns] = {plane.registration, plane.make, plane.serial, plane.tach,
                                                plane.totalTime, plane.sinceOverhaul, plane.timesDate};
        for (int column = 0; column < AircraftColumns; ++column)
            m_aircraftTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

void JournalWindow::correctAircraft()
{
    const int row = m_aircraftTable->currentRow();
    if (row < 0 || row >= m_aircraft.size())
        return;
    journal::Aircraft plane = m_aircraft[row];
    const auto cell = [&](int column) {
        const QTableWidgetItem* item = m_aircraftTable->item(row, column);
        return item ? item->text().trimmed() : QString();
    };
    plane.registration = cell(Registration);
    plane.make = cell(Make);
    plane.serial = cell(Serial);
    plane.tach = cell(Tach);
    plane.totalTime = cell(TotalTime);
    plane.sinceOverhaul = cell(SinceOverhaul);
    plane.timesDate = cell(TimesDate);
    store::StoreError error = m_journal.correctAircraft(plane);
    if (error.number == store::DuplicateKey) {
        error.message = QStringLiteral("Another aircraft is registered as %1.").arg(plane.registration);
        error.path.clear();
    }
    if (!error.ok())
        tellStoreError(error);
    reloadAircraft();
}

void JournalWindow::removeAircraft()
{
    const int row = m_aircraftTable->currentRow();
    if (row < 0 || row >= m_aircraft.size())
        return;
    if (store::StoreError error = m_journal.removeAircraft(m_aircraft[row].id); !error.ok())
        tellStoreError(error);
    reloadAircraft();
}

void JournalWindow::tellStoreError(const store::StoreError& error)
{
    m_place.dialogs.showMessage(this, QMessageBox::Critical, QStringLiteral("Journal"), error.describe());
}

}  // namespace tagwright::journalview
