#pragma once

#include <QColor>

#include <array>

class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace tagwright::setup {

// The controls of the setup panel. Each widget's objectName is its control name in the
// window layout (Text10, Option3D1, Combo1 ...).
struct SetupPanelControls {
    QFrame* panel = nullptr;                       // Panel3D2
    QLineEdit* companyNameBox = nullptr;           // Text10
    QLineEdit* addressBox = nullptr;               // Text11
    QLineEdit* cityStateZipBox = nullptr;          // Text12
    QLineEdit* phoneBox = nullptr;                 // Text13
    QLineEdit* repairStationBox = nullptr;         // the station's certificate number
    QRadioButton* laserOption = nullptr;           // Option3D1
    QRadioButton* tractorOption = nullptr;         // Option3D2
    QComboBox* defaultLabelList = nullptr;         // Combo1
    QToolButton* printerSetupButton = nullptr;     // Command3D4
    QToolButton* informationButton = nullptr;      // Command3D12
    QPushButton* cancelButton = nullptr;           // closes the panel without saving
    QGroupBox* offsetsFrame = nullptr;             // Frame3D1
    // Top, middle, bottom row, left, right column: Text22, Text24, Text26, Text23, Text25.
    std::array<QLineEdit*, 5> offsetBoxes{};
};

// Creates the setup panel over the card area `area`, hidden, at its place (twips converted to
// pixels), with its captions, the offsets frame, and the laser option on.
SetupPanelControls buildSetupPanel(QWidget* area);

// The setup button's caption colour while the panel is closed.
QColor setupCaptionBlue();

}  // namespace tagwright::setup
