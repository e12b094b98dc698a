#pragma once

#include <QObject>

class QLabel;
class QPushButton;
class QWidget;


namespace tagwright::setup {

struct SetupPanelControls;

// The setup panel's part in fitting labels to the six-up stock: the laser choice names the
// label makers' product numbers, and "Fit to stock" fills the five adjustment boxes with the
// numbers that centre each label in its die-cut on the printer Print uses (the one chosen
// with the printer set-up button, else the default one, else PDF files), saying under the
// button which that was. Closing the panel stores them as any other edit.
class StockFitButton : public QObject {
    Q_OBJECT
public:
    StockFitButton(QWidget& window, const SetupPanelControls& controls);

    void fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    const SetupPanelControls& m_controls;
    QPushButton* m_button = nullptr;
    QLabel* m_note = nullptr;
};

}  // namespace tagwright::setup
