#pragma once

#include "journal/Journal.h"

namespace tagwright::journal {
class JournalWriter;
}

#include <QObject>

class QCompleter;
class QWidget;
class QLineEdit;
class QStandardItemModel;

#include <array>

namespace tagwright::store {
class Database;
}
namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::journalview {

// The registration box completes from the shop's aircraft, each listed with its make and
// serial. Choosing one puts the aircraft's known make and serial in their boxes; when the
// boxes already hold others (left from the last aircraft, or typed), the user is asked first
// whether to replace them. It shows the
// aircraft's last tach, total time and time since overhaul as grey hints inside their empty
// boxes (with the label date in the tip);
// times are never filled in, since a label must carry today's. The list is read when the box
// is entered, so aircraft printed meanwhile (here or on another workstation) are offered.
class AircraftCompletion : public QObject {
    Q_OBJECT
public:
    // `valueBoxes` in header order: Reg #, Make, Serial, Tach, T.T., SMOH.
    // Questions are asked over `window`.
    AircraftCompletion(store::Database& journal, journal::JournalWriter& writer,
                       const std::array<QLineEdit*, 6>& valueBoxes, ui::UserDialogs& dialogs,
                       QWidget* window);

    QCompleter* completer() const { return m_completer; }
    void reloadRegistrations();
    // What choosing `registration` from the list does.
    void choose(const QString& registration);
    // The registration box shows `registration`: hints for another one go.
    void registrationShown(const QString& registration);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearHints();
    bool replaceTypedValues(const journal::Aircraft& plane);
    // The list as wide as its columns need, whatever the box's width.
    void fitPopup();

    std::array<QLineEdit*, 6> m_valueBoxes;
    ui::UserDialogs& m_dialogs;
    QWidget* m_window;
    journal::Journal m_journal;
    QLineEdit* m_registration;
    QStandardItemModel* m_registrations;   // registration, make, serial
    QVector<QStringList> m_shown;
    QCompleter* m_completer;
    QString m_hinted;   // the registration whose times the hints show
};

}  // namespace tagwright::journalview
