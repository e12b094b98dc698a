#pragma once

#include "journal/Journal.h"

namespace tagwright::journal {
class JournalWriter;
}

#include <QObject>

class QCompleter;
class QLineEdit;
class QStandardItemModel;

#include <array>

namespace tagwright::store {
class Database;
}

namespace tagwright::journalview {

// The registration box completes from the shop's aircraft, each listed with its make and
// serial. Choosing one fills the make and serial boxes where they are empty, and shows the
// aircraft's last tach, total time and time since overhaul as grey hints inside their empty
// boxes (with the label date in the tip);
// times are never filled in, since a label must carry today's. The list is read when the box
// is entered, so aircraft printed meanwhile (here or on another workstation) are offered.
class AircraftCompletion : public QObject {
    Q_OBJECT
public:
    // `valueBoxes` in header order: Reg #, Make, Serial, Tach, T.T., SMOH.
    AircraftCompletion(store::Database& journal, journal::JournalWriter& writer,
                       const std::array<QLineEdit*, 6>& valueBoxes,
                       QObject* parent);

    QCompleter* completer() const { return m_completer; }
    void reloadRegistrations();
    // What choosing `registration` from the list does.
    void choose(const QString& registration);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearHints();
    // The list as wide as its columns need, whatever the box's width.
    void fitPopup();

    std::array<QLineEdit*, 6> m_valueBoxes;
    journal::Journal m_journal;
    QLineEdit* m_registration;
    QStandardItemModel* m_registrations;   // registration, make, serial
    QVector<QStringList> m_shown;
    QCompleter* m_completer;
};

}  // namespace tagwright::journalview
