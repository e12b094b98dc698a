#pragma once

#include <QObject>
#include <QString>

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::setup {

// The information panel over the main window: the information button shows or hides it,
// and a click anywhere on it, or Escape, puts it away again.
class InformationPanel : public QObject {
    Q_OBJECT
public:
    explicit InformationPanel(mainwindow::MainWindow& window);

    void toggle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    mainwindow::MainWindow& m_window;
};

// What the panel says: the program, its version, the two database files in use, which rule
// put them there, and what it is for. Support staff ask for the paths first.
QString informationText(mainwindow::MainWindow& window);

}  // namespace tagwright::setup
