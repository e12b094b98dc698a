#pragma once

#include <QImage>
#include <QString>

#include <array>

namespace tagwright::printing {

// The body box's font as the template sets it.
struct BodyFont {
    QString FontName = QStringLiteral("MS Sans Serif");
    float FontSize = 8.25f;  // points
    bool FontBold = true;
    bool FontItalic = false;
};

// The main window's fields as a print job reads them, copied when Print is pressed. Members
// keep the window's field names so the copy in the window is one line per box.
struct LabelSnapshot {
    // Header captions: left column (Reg #, Make, Serial), right column (Tach, T.T., SMOH).
    QString Text19, Text20, Text21;
    QString Text16, Text17, Text18;
    // Header values beside them: Text3..Text5 left column, Text6..Text8 right column.
    QString Text3, Text4, Text5;
    QString Text6, Text7, Text8;
    QString Text9;  // date

    // Company block: name, address, city-state-zip, phone.
    QString Text10, Text11, Text12, Text13;
    int Check1 = 0;  // "Company Info": 1 prints the company block
    int Check2 = 0;  // "Signed": any value but 0 prints the signature
    QString Combo2;  // signatory, as typed or chosen

    QString Text2;  // body, lines separated by carriage return + line feed
    BodyFont Text2Font;

    // The logo box's pixels as the window shows them (LogoPicture::boxPixels); a null
    // image when the box holds no picture.
    QImage Picture1;

    // Print position adjustments as typed: rows top/middle/bottom, columns left/right.
    QString Text22 = QStringLiteral("0");
    QString Text24 = QStringLiteral("0");
    QString Text26 = QStringLiteral("0");
    QString Text23 = QStringLiteral("0");
    QString Text25 = QStringLiteral("0");

    QString Text15 = QStringLiteral("1");  // copies
    // Skip cells Label22(1..6) at index 0..5; "X" marks a cell as already used. The panel
    // starts with cell 1 free and cells 2 to 6 marked.
    std::array<QString, 6> Label22{QStringLiteral(" "), QStringLiteral("X"),
                                   QStringLiteral("X"), QStringLiteral("X"),
                                   QStringLiteral("X"), QStringLiteral("X")};

    bool cellMarked(int cell) const { return Label22[std::size_t(cell - 1)] == QStringLiteral("X"); }
};

// The six value boxes, in the order the window's Enter key walks them.
enum class ValueBox { Text3, Text4, Text5, Text6, Text7, Text8 };

// A value box a job filled with underscores; the window writes it back.
struct ValueFill {
    ValueBox box;
    QString text;
};

}  // namespace tagwright::printing
