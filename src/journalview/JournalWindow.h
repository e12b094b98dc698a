#pragma once

#include "journal/Journal.h"
#include "journal/JournalModel.h"

#include <QDialog>
#include <QTimer>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

#include "JournalPlace.h"

namespace tagwright::journalview {

// The journal view: what was printed, filtered by registration, template, the days it was
// printed on and text in the bodies; an entry is shown in the print preview, printed again
// or exported with the others shown. A second page lists the shop's aircraft, where a
// wrong make, serial or registration is corrected or an aircraft removed. It reads the
// journal only when opened, so the card never waits for it.
class JournalWindow : public QDialog {
    Q_OBJECT
public:
    explicit JournalWindow(const JournalPlace& place);

    // Reads the entries and aircraft again and shows the window.
    void openJournal();

    journal::JournalModel& model() { return m_model; }
    // The entry on the selected row, or null.
    const journal::JournalEntry* selectedEntry() const;

    void showSelected();
    void reprintSelected();
    void exportShown();
    void applyFilter();
    void reloadAircraft();
    void correctAircraft();
    void removeAircraft();

private:
    QWidget* buildEntriesPage();
    QWidget* buildAircraftPage();
    void updateButtons();
    void tellStoreError(const store::StoreError& error);

    JournalPlace m_place;
    journal::Journal m_journal;
    journal::JournalModel m_model;
    QVector<journal::Aircraft> m_aircraft;
    QTimer m_typing;

    QLineEdit* m_registration = nullptr;
    QLineEdit* m_template = nullptr;
    QDateEdit* m_since = nullptr;
    QDateEdit* m_until = nullptr;
    QLineEdit* m_text = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_show = nullptr;
    QPushButton* m_reprint = nullptr;
    QLabel* m_count = nullptr;
    QTableWidget* m_aircraftTable = nullptr;
};

}  // namespace tagwright::journalview
