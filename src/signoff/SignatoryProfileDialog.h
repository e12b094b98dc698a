#pragma once

#include "store/SignatoryStore.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tagwright::signoff {

// A signatory's name and certificate, worked from the keyboard: the cursor starts in the box
// asked for, Tab goes name, kind, number, Enter saves, Escape cancels. The kind offers the
// usual kinds and takes any other text. Below, the line as the label prints it.
class SignatoryProfileDialog : public QDialog {
    Q_OBJECT
public:
    enum class Start { Name, Kind, Number };

    SignatoryProfileDialog(const store::SignatoryProfile& profile, Start start, QWidget* parent = nullptr);

    // What the boxes hold, blanks around each left out.
    store::SignatoryProfile profile() const;

private:
    void showPrintedLine();

    QLineEdit* m_name;
    QComboBox* m_kind;
    QLineEdit* m_number;
    QLabel* m_printed;
    QPushButton* m_save;
};

}  // namespace tagwright::signoff
