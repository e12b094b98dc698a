#pragma once

#include "journal/Journal.h"
#include "journal/JournalModel.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

#include "JournalPlace.h"

namespace tagwright::journalview {

class AircraftPage;
class DayBox;

// The journal view: what was printed, filtered by registration, template, the days it was
// printed on and words in the bodies; an entry is shown in the print preview, printed again
// or exported with the others shown. A second page lists the shop's aircraft, where a
// wrong make, serial or registration is corrected or an aircraft removed. It reads the
// journal only when opened, so the card never waits for it; while it is open, entries
// printed here or on other workstations appear at the top every few seconds.
class JournalWindow : public QDialog {
    Q_OBJECT
public:
    // How often the open view looks for entries printed since.
    static constexpr int RefreshInterval = 2000;   // milliseconds

    explicit JournalWindow(const JournalPlace& place);

    // Reads the entries and aircraft again and shows the window.
    void openJournal();

    journal::JournalModel& model() { return m_model; }
    AircraftPage& aircraftPage() { return *m_aircraftPage; }
    // The entry on the selected row, or null.
    const journal::JournalEntry* selectedEntry() const;

    void showSelected();
    void reprintSelected();
    void exportShown();
    void applyFilter();
    // Adds the entries printed since at the top, keeping the rows in view where they are.
    void refreshEntries();

    // Leaving with aircraft corrections unsaved asks first.
    void reject() override;

private:
    QWidget* buildEntriesPage();
    void updateButtons();
    void keepRowsInView(int added);
    void tellStoreError(const store::StoreError& error);

    JournalPlace m_place;
    journal::Journal m_journal;
    journal::JournalModel m_model;
    QTimer m_typing;
    QTimer m_refresh;

    QLineEdit* m_registration = nullptr;
    QLineEdit* m_template = nullptr;
    DayBox* m_since = nullptr;
    DayBox* m_until = nullptr;
    QLineEdit* m_text = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_show = nullptr;
    QPushButton* m_reprint = nullptr;
    QLabel* m_count = nullptr;
    AircraftPage* m_aircraftPage = nullptr;
};

}  // namespace tagwright::journalview
