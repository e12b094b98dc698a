#include "AircraftPage.h"

#include "ui/UserDialogs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tagwright::journalview {

namespace {

QPushButton* button(const QString& text, const char* objectName)
{
    auto* pushButton = new QPushButton(text);
    pushButton->setObjectName(QLatin1String(objectName));
    pushButton->setAutoDefault(false);
    return pushButton;
}

QString labelsSay(const QString& make, const QString& serial, qint64 entry)
{
    QStringList parts;
    for (const QString& part : {make, serial}) {
        if (!part.isEmpty())
            parts << part;
    }
    return QStringLiteral("%1 (entry %2)").arg(parts.join(QStringLiteral(", "))).arg(entry);
}

}  // namespace

AircraftPage::AircraftPage(journal::Journal& journal, ui::UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_journal(journal), m_dialogs(dialogs), m_table(new QTableWidget(0, ColumnCount))
{
    m_table->setObjectName(QStringLiteral("aircraftTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Reg #"), QStringLiteral("Make"), QStringLiteral("Serial"),
                                        QStringLiteral("Tach"), QStringLiteral("T.T."), QStringLiteral("SMOH"),
                                        QStringLiteral("Times dated"), QStringLiteral("Labels say")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { noteEdit(item->row()); });
    connect(m_table, &QTableWidget::currentCellChanged, this, &AircraftPage::updateButtons);

    QPushButton* save = button(QStringLiteral("Save &corrections"), "aircraftSave");
    m_useLabel = button(QStringLiteral("Use the &label's values"), "aircraftUseLabel");
    m_keepKnown = button(QStringLiteral("&Keep the known values"), "aircraftKeepKnown");
    m_remove = button(QStringLiteral("Re&move aircraft"), "aircraftRemove");
    connect(save, &QPushButton::clicked, this, &AircraftPage::saveCorrections);
    connect(m_useLabel, &QPushButton::clicked, this, &AircraftPage::useLabelValues);
    connect(m_keepKnown, &QPushButton::clicked, this, &AircraftPage::keepKnownValues);
    connect(m_remove, &QPushButton::clicked, this, &AircraftPage::removeSelected);
    auto* hint = new QLabel(QStringLiteral("Edit rows, then save the corrections. Removing an aircraft "
                                           "leaves its journal entries as they are."));
    hint->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* pushButton : {save, m_useLabel, m_keepKnown, m_remove})
        buttons->addWidget(pushButton);
    buttons->addWidget(hint, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    updateButtons();
}

void AircraftPage::reload()
{
    store::Result<QVector<journal::Aircraft>> known = m_journal.aircraft();
    if (!known)
        return tell(known.error().describe());
    m_aircraft = std::move(known).value();
    m_labelValues.clear();
    for (const journal::Aircraft& plane : std::as_const(m_aircraft)) {
        if (plane.disagreeingEntry < 0)
            continue;
        // A label that cannot be read leaves its aircraft without the label's values to take.
        const store::Result<std::optional<journal::JournalEntry>> label = m_journal.entry(plane.disagreeingEntry);
        if (!label || !*label)
            continue;
        const journal::JournalEntry& entry = **label;
        m_labelValues.insert(plane.id, {entry.number, entry.line(journal::Slot::Make).value.trimmed(),
                                        entry.line(journal::Slot::Serial).value.trimmed()});
    }
    // Corrections to aircraft that are gone (removed elsewhere) go with them.
    QSet<qint64> present;
    for (const journal::Aircraft& plane : std::as_const(m_aircraft))
        present.insert(plane.id);
    m_edits.removeIf([&present](const auto& edit) { return !present.contains(edit.key()); });
    fill();
}

void AircraftPage::fill()
{
    m_filling = true;
    m_table->setRowCount(int(m_aircraft.size()));
    for (int row = 0; row < m_aircraft.size(); ++row) {
        const journal::Aircraft& plane = m_aircraft[row];
        QStringList cells = m_edits.value(plane.id);
        if (cells.isEmpty()) {
            cells = QStringList{plane.registration, plane.make, plane.serial, plane.tach,
                                plane.totalTime, plane.sinceOverhaul, plane.timesDate};
        }
        const bool edited = m_edits.contains(plane.id);
        for (int column = 0; column < LabelsSay; ++column) {
            auto* item = new QTableWidgetItem(cells.value(column));
            QFont font = item->font();
            font.setItalic(edited);
            item->setFont(font);
            m_table->setItem(row, column, item);
        }
        const auto said = m_labelValues.constFind(plane.id);
        auto* says = new QTableWidgetItem(said == m_labelValues.cend()
                                              ? QString()
                                              : labelsSay(said->make, said->serial, said->entry));
        says->setFlags(says->flags() & ~Qt::ItemIsEditable);
        m_table->setItem(row, LabelsSay, says);
    }
    m_filling = false;
    updateButtons();
}

QStringList AircraftPage::cellsOf(int row) const
{
    QStringList cells;
    for (int column = 0; column < LabelsSay; ++column) {
        const QTableWidgetItem* item = m_table->item(row, column);
        cells << (item ? item->text() : QString());
    }
    return cells;
}

void AircraftPage::noteEdit(int row)
{
    if (m_filling || row < 0 || row >= m_aircraft.size())
        return;
    m_edits.insert(m_aircraft[row].id, cellsOf(row));
    m_filling = true;
    for (int column = 0; column < LabelsSay; ++column) {
        if (QTableWidgetItem* item = m_table->item(row, column)) {
            QFont font = item->font();
            font.setItalic(true);
            item->setFont(font);
        }
    }
    m_filling = false;
}

int AircraftPage::selectedRow() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_aircraft.size() ? row : -1;
}

void AircraftPage::updateButtons()
{
    const int row = selectedRow();
    const bool disputed = row >= 0 && m_labelValues.contains(m_aircraft[row].id);
    m_useLabel->setEnabled(disputed);
    m_keepKnown->setEnabled(disputed);
    m_remove->setEnabled(row >= 0);
}

bool AircraftPage::saveCorrections()
{
    QStringList failures;
    for (int row = 0; row < m_aircraft.size(); ++row) {
        const auto edit = m_edits.constFind(m_aircraft[row].id);
        if (edit == m_edits.cend())
            continue;
        journal::Aircraft plane = m_aircraft[row];
        const QStringList& cells = *edit;
        plane.registration = cells.value(Registration).trimmed();
        plane.make = cells.value(Make).trimmed();
        plane.serial = cells.value(Serial).trimmed();
        plane.tach = cells.value(Tach).trimmed();
        plane.totalTime = cells.value(TotalTime).trimmed();
        plane.sinceOverhaul = cells.value(SinceOverhaul).trimmed();
        plane.timesDate = cells.value(TimesDate).trimmed();
        store::StoreError error = m_journal.correctAircraft(plane);
        if (error.ok()) {
            m_edits.remove(plane.id);
            continue;
        }
        if (error.number == store::DuplicateKey)
            failures << QStringLiteral("Another aircraft is registered as %1.").arg(plane.registration);
        else
            failures << QStringLiteral("%1: %2").arg(m_aircraft[row].registration, error.describe());
    }
    reload();
    if (!failures.isEmpty())
        tell(failures.join(u'\n'));
    return failures.isEmpty();
}

void AircraftPage::removeSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const journal::Aircraft plane = m_aircraft[row];
    // The question's own Cancel (and Escape) keeps the aircraft.
    const QStringList choices{QStringLiteral("Remove")};
    const QString question = QStringLiteral("Remove %1 from the shop's aircraft? Its journal entries stay.")
                                 .arg(plane.registration);
    if (m_dialogs.askChoice(this, QMessageBox::Question, QStringLiteral("Journal"), question, choices) != 0)
        return;
    if (store::StoreError error = m_journal.removeAircraft(plane.id); !error.ok())
        tell(error.describe());
    m_edits.remove(plane.id);
    reload();
}

void AircraftPage::useLabelValues()
{
    const int row = selectedRow();
    const auto said = row < 0 ? m_labelValues.cend() : m_labelValues.constFind(m_aircraft[row].id);
    if (said == m_labelValues.cend())
        return;
    // A value the label left out stays as it is known.
    if (!said->make.isEmpty())
        m_table->item(row, Make)->setText(said->make);
    if (!said->serial.isEmpty())
        m_table->item(row, Serial)->setText(said->serial);
    noteEdit(row);
}

void AircraftPage::keepKnownValues()
{
    const int row = selectedRow();
    if (row >= 0 && m_labelValues.contains(m_aircraft[row].id))
        noteEdit(row);
}

bool AircraftPage::mayLeave()
{
    if (m_edits.isEmpty())
        return true;
    QStringList registrations;
    for (const journal::Aircraft& plane : std::as_const(m_aircraft)) {
        if (m_edits.contains(plane.id))
            registrations << plane.registration;
    }
    // The question's own Cancel (and Escape) stays on the page.
    const QStringList choices{QStringLiteral("Save"), QStringLiteral("Discard")};
    const int answer = m_dialogs.askChoice(
        this, QMessageBox::Question, QStringLiteral("Journal"),
        QStringLiteral("The corrections to %1 are not saved. Save them?").arg(registrations.join(QStringLiteral(", "))),
        choices);
    if (answer == 0)
        return saveCorrections();
    if (answer == 1) {
        m_edits.clear();
        reload();
        return true;
    }
    return false;
}

void AircraftPage::tell(const QString& text)
{
    m_dialogs.showMessage(this, QMessageBox::Critical, QStringLiteral("Journal"), text);
}

}  // namespace tagwright::journalview
