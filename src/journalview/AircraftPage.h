#pragma once

#include "journal/Journal.h"

#include <QHash>
#include <QWidget>

class QPushButton;
class QTableWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::journalview {

// The shop's aircraft as the journal learned them, to correct or remove. Every edited row
// is a correction until saved: reading the list again keeps it, saving saves every one, and
// leaving with corrections unsaved asks. A label that disagreed with an aircraft's make or
// serial shows in its row ("Labels say"), and stays there until a correction settles it:
// taking the label's values, or keeping the known ones on purpose.
class AircraftPage : public QWidget {
    Q_OBJECT
public:
    enum Column { Registration, Make, Serial, Tach, TotalTime, SinceOverhaul, TimesDate, LabelsSay, ColumnCount };

    AircraftPage(journal::Journal& journal, ui::UserDialogs& dialogs, QWidget* parent = nullptr);

    // Reads the aircraft again; unsaved corrections stay in their rows.
    void reload();
    bool hasUnsavedCorrections() const { return !m_edits.isEmpty(); }
    // Saves every edited row. False when one could not be saved: it stays edited, and one
    // message names it and says why.
    bool saveCorrections();
    // Asks, then removes the selected aircraft (its journal entries stay).
    void removeSelected();
    // The disagreeing label's make and serial into the selected row, as a correction.
    void useLabelValues();
    // The selected row's known values as a correction, which settles the label's disagreement.
    void keepKnownValues();
    // Whether the page may be left: with corrections unsaved, asks Save / Discard / Cancel.
    bool mayLeave();

private:
    struct LabelValues {
        qint64 entry = -1;
        QString make;
        QString serial;
    };

    void fill();
    void updateButtons();
    int selectedRow() const;
    QStringList cellsOf(int row) const;
    void noteEdit(int row);
    void tell(const QString& text);

    journal::Journal& m_journal;
    ui::UserDialogs& m_dialogs;
    QVector<journal::Aircraft> m_aircraft;
    QHash<qint64, QStringList> m_edits;        // the edited rows' cells, by aircraft
    QHash<qint64, LabelValues> m_labelValues;  // what a disagreeing label said, by aircraft
    bool m_filling = false;

    QTableWidget* m_table;
    QPushButton* m_useLabel;
    QPushButton* m_keepKnown;
    QPushButton* m_remove;
};

}  // namespace tagwright::journalview
