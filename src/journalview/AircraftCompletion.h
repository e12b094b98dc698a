#pragma once

#include "journal/Journal.h"

#include <QObject>

class QCompleter;
class QLineEdit;
class QStringListModel;

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::journalview {

// The registration box completes from the shop's aircraft. Choosing one fills the make and
// serial boxes where they are empty, and shows the aircraft's last tach, total time and time
// since overhaul as grey hints inside their empty boxes (with the label date in the tip);
// times are never filled in, since a label must carry today's. The list is read when the box
// is entered, so aircraft printed meanwhile (here or on another workstation) are offered.
class AircraftCompletion : public QObject {
    Q_OBJECT
public:
    explicit AircraftCompletion(mainwindow::MainWindow& window);

    QCompleter* completer() const { return m_completer; }
    void reloadRegistrations();
    // What choosing `registration` from the list does.
    void choose(const QString& registration);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearHints();

    mainwindow::MainWindow& m_window;
    journal::Journal m_journal;
    QLineEdit* m_registration;
    QStringListModel* m_registrations;
    QCompleter* m_completer;
};

}  // namespace tagwright::journalview
