#pragma once

#include <QLineF>
#include <QRectF>
#include <QStringList>
#include <QVector>

namespace tagwright::stock {

// The laser / inkjet stock labels are made for: a US Letter sheet of six 4 x 3-1/3 in labels,
// two columns by three rows, with 1/8 in round corners, sold by the label makers under many
// product numbers. The die-cuts are those a public label-template database gives for it.
// Everything in twips from the sheet's top left corner.
struct SixUpSheet {
    static constexpr double PaperWidth = 12240;   // 8-1/2 in
    static constexpr double PaperHeight = 15840;  // 11 in
    static constexpr double FirstLeft = 225;      // 0.15625 in
    static constexpr double ColumnPitch = 6030;   // 4.1875 in
    static constexpr double FirstTop = 720;       // 0.5 in
    static constexpr double RowPitch = 4800;      // 3-1/3 in
    static constexpr double LabelWidth = 5760;    // 4 in
    static constexpr double LabelHeight = 4800;   // 3-1/3 in
    static constexpr double CornerRadius = 180;   // 1/8 in
    static constexpr int Cells = 6;

    // Sheet cell 1 to 6, numbered as the print panel shows them: 1 top left, 2 top right,
    // down to 6 bottom right.
    static int row(int cell) { return (cell - 1) / 2; }
    static int column(int cell) { return (cell - 1) % 2; }
    static QRectF dieCut(int cell);

    // The label makers' product numbers for this stock, for the setup panel to name.
    static QStringList productNumbers();
};

// A die-cut's outline as straight pieces: its four sides and short chords along the round
// corners, for surfaces that draw only lines.
QVector<QLineF> outlineOf(const QRectF& dieCut);

}  // namespace tagwright::stock
