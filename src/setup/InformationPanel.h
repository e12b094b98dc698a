#pragma once

#include <QObject>
#include <QString>

class QAbstractButton;
class QFrame;
class QLabel;
class QWidget;

namespace tagwright::store {
class Database;
}

namespace tagwright::setup {

// The information panel over the main window's card area: the information button shows or
// hides it, and a click anywhere on it, or Escape, puts it away again.
class InformationPanel : public QObject {
    Q_OBJECT
public:
    InformationPanel(QWidget& window, QWidget& cardArea, QAbstractButton* informationButton,
                     store::Database& mainDatabase, store::Database& setupDatabase);

    void toggle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* m_panel;   // Panel3D6
    QLabel* m_text;
    store::Database& m_mainDatabase;
    store::Database& m_setupDatabase;
};

// What the panel says: the program, its version, the two database files in use, which rule
// put them there, and what it is for. Support staff ask for the paths first.
QString informationText(const store::Database& mainDatabase,
                        const store::Database& setupDatabase);

}  // namespace tagwright::setup
