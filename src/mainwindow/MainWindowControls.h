#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace tagwright::mainwindow {

class ClickLabel;
class LogoBox;

// Every control of the main window but the setup and information panels, which the setup
// features build over it. Each widget's objectName is its control name in the
// window layout (Text19, Command3D9, Label22_3 ...), so tests and support staff find it by
// that name; the members here say what the control is for.
struct MainWindowControls {
    // The card.
    QLabel* cardPicture = nullptr;                      // Image1
    std::array<QLineEdit*, 3> titleBoxes{};             // Text1_0 .. Text1_2
    QFrame* headerPanel = nullptr;                      // Panel3D1
    // Header lines in their fixed order: Reg #, Make, Serial, Tach, T.T., SMOH.
    std::array<QLineEdit*, 6> captionBoxes{};           // Text19, Text20, Text21, Text16, Text17, Text18
    std::array<QLineEdit*, 6> valueBoxes{};             // Text3 .. Text8
    QPlainTextEdit* bodyBox = nullptr;                  // Text2
    QLabel* logoHint = nullptr;                         // Label1
    LogoBox* logoBox = nullptr;                         // Picture1
    QLineEdit* dateBox = nullptr;                       // Text9
    QCheckBox* companyCheck = nullptr;                  // Check1
    QCheckBox* signedCheck = nullptr;                   // Check2
    QComboBox* signatoryList = nullptr;                 // Combo2
    QLabel* signatoryHint = nullptr;                    // Label31
    QLabel* logoPathHolder = nullptr;                   // Label30
    std::array<ClickLabel*, 4> pageZones{};             // Label13_1 .. Label13_4
    std::array<QLabel*, 9> tabBars{};                   // Label4 .. Label12, row by row

    // The button column.
    QFrame* buttonPanelOuter = nullptr;                 // Panel3D5
    QFrame* buttonPanelInner = nullptr;                 // Panel3D4
    QPushButton* newButton = nullptr;                   // Command3D1
    QPushButton* saveButton = nullptr;                  // Command3D2
    QPushButton* fontButton = nullptr;                  // Command3D3
    QPushButton* logoButton = nullptr;                  // Command3D5
    QPushButton* printButton = nullptr;                 // Command3D6
    QPushButton* exitButton = nullptr;                  // Command3D7
    QPushButton* deleteButton = nullptr;                // Command3D8
    QPushButton* setupButton = nullptr;                 // Command3D9

    // The print options panel.
    QFrame* printPanel = nullptr;                       // Panel3D3
    QLabel* skipHint = nullptr;
    std::array<ClickLabel*, 6> skipCells{};             // Label22_1 .. Label22_6
    QLineEdit* copiesBox = nullptr;                     // Text15
    QPushButton* printOkButton = nullptr;               // Command3D10
    QPushButton* printCancelButton = nullptr;           // Command3D11
};

}  // namespace tagwright::mainwindow
