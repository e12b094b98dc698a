#pragma once

#include "store/Statements.h"

#include <QDialog>
#include <QVector>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::signoff {

// "Insert Statement": the shop's wordings by title, the chosen one shown to read and to edit.
// The list has the cursor: arrows choose, Enter (or a double click) inserts what is shown,
// Escape closes. New, Save and Remove edit the shop's table; leaving a statement with
// changes not saved asks first. A wording changed and inserted without Save goes into this
// label only.
class StatementPicker : public QDialog {
    Q_OBJECT
public:
    StatementPicker(store::Database& database, ui::UserDialogs& dialogs, QWidget* parent = nullptr);

    // The wording shown when Insert was pressed.
    QString chosenWording() const { return m_chosen; }

    void done(int result) override;

private:
    void showStatement(int row);
    void chooseRow(int row);
    bool changed() const;
    // Before the shown statement is left: true when it may be (saved, discarded or unchanged).
    bool settleChanges();
    bool save();
    void addNew();
    void removeShown();
    void updateButtons();
    void complain(const QString& title, const store::StoreError& error);

    store::StatementStore m_store;
    ui::UserDialogs& m_dialogs;
    QVector<store::Statement> m_statements;
    int m_shown = -1;
    QString m_chosen;
    QListWidget* m_list;
    QLineEdit* m_title;
    QPlainTextEdit* m_wording;
    QPushButton* m_insert;
    QPushButton* m_save;
    QPushButton* m_remove;
};

}  // namespace tagwright::signoff
