#pragma once

#include "SignatoryProfileDialog.h"

#include <QObject>

#include <optional>

class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace tagwright::printing {
struct PrintRequest;
}

namespace tagwright::store {
class Database;
class SignatoryStore;
}

namespace tagwright::session {
class CardSession;
}

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::mainwindow {
class LabelSource;
struct MainWindowControls;
}

namespace tagwright::signoff {

// What the sign-off features use of the main window.
struct SignOffPlace {
    // The card's mode: statements go into the body only while no panel covers it.
    const session::CardSession& session;
    store::Database& database;   // where the shop's statements are
    const store::SignatoryStore& signatories;
    ui::UserDialogs& dialogs;
    QWidget* window = nullptr;
};

// Gives the window a complete sign-off:
// - F2 in the signatory list (or its context menu's "Signatory Profile...") edits the
//   signatory's name and certificate;
// - before Print and Export PDF, a label that names a signatory without a certificate number,
//   or has no date, asks first: Print anyway, Cancel, or (for a signatory) Add the number;
// - "Insert Statement..." in the Edit menu and the body's context menu inserts one of the
//   shop's statements at the body's cursor.
class SignOffFeatures : public QObject {
    Q_OBJECT
public:
    SignOffFeatures(QMenuBar* menuBar, mainwindow::MainWindowControls& controls,
                    mainwindow::LabelSource& label, const SignOffPlace& place);

    // Edits the profile of the signatory the list shows (a new one for a name not stored);
    // the profile as saved, nothing when it was not.
    std::optional<store::SignatoryProfile> editSignatory(SignatoryProfileDialog::Start start);
    // Asks about what the label of `request` lacks; true when it goes out as it is or was
    // completed (the certificate added is then in `request`).
    bool confirmComplete(printing::PrintRequest& request);
    void insertStatement();
    // The body's context menu: the box's own entries and "Insert Statement...".
    QMenu* bodyContextMenu(const QPoint& position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSaved(const store::SignatoryProfile& profile, const QString& formerName);

    mainwindow::MainWindowControls& m_controls;
    SignOffPlace m_place;
    QAction* m_insertStatement;
};

}  // namespace tagwright::signoff
