#pragma once

#include "printing/LabelPrinter.h"
#include "printing/LabelSnapshot.h"
#include "printing/RecordingSurface.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace tagwright::test {

using printing::RecordedOp;

// A window as a shop typically has it: captions filled, no company block, no logo, free
// cells, header font sizes that make the recording metrics easy to count (body 8 + 2 = 10
// points: 100 twips a character, 240 a line).
inline printing::LabelSnapshot plainWindow()
{
    printing::LabelSnapshot w;
    w.Text19 = QStringLiteral("Reg #");
    w.Text20 = QStringLiteral("Make");
    w.Text21 = QStringLiteral("Serial");
    w.Text16 = QStringLiteral("Tach");
    w.Text17 = QStringLiteral("T.T.");
    w.Text18 = QStringLiteral("SMOH");
    w.Text3 = QStringLiteral("N123AB");
    w.Text9 = QStringLiteral("03-07-2001");
    w.Text2 = QStringLiteral("Body");
    w.Text2Font = {QStringLiteral("Arial"), 8.0f, false, false};
    for (QString& mark : w.Label22)
        mark.clear();
    return w;
}

inline QVector<RecordedOp> opsOfKind(const printing::RecordingSurface& surface, RecordedOp::Kind kind)
{
    QVector<RecordedOp> found;
    for (const RecordedOp& op : surface.ops()) {
        if (op.kind == kind)
            found.append(op);
    }
    return found;
}

inline std::optional<RecordedOp> firstText(const printing::RecordingSurface& surface,
                                           const QString& text)
{
    for (const RecordedOp& op : surface.ops()) {
        if (op.kind == RecordedOp::Kind::Text && op.text == text)
            return op;
    }
    return std::nullopt;
}

// The texts printed ending their line, in order: body lines and the like.
inline QStringList lineTexts(const printing::RecordingSurface& surface)
{
    QStringList texts;
    for (const RecordedOp& op : surface.textOps()) {
        if (op.endsLine)
            texts.append(op.text);
    }
    return texts;
}

// The sheet cell a position lies in.
inline int cellAt(float x, float y)
{
    const int row = y < 4700 ? 0 : y < 9450 ? 1 : 2;
    return row * 2 + (x < 3000 ? 1 : 2);
}

// Where each label began ("Reg #" caption) and where jobs ended ("|"): "1 2 3 |".
inline QString cellSequence(const printing::RecordingSurface& surface)
{
    QStringList parts;
    for (const RecordedOp& op : surface.ops()) {
        if (op.kind == RecordedOp::Kind::Text && op.text == QStringLiteral("Reg #: "))
            parts.append(QString::number(cellAt(op.x, op.y)));
        else if (op.kind == RecordedOp::Kind::EndDoc)
            parts.append(QStringLiteral("|"));
    }
    return parts.join(u' ');
}

inline void markCells(printing::LabelSnapshot& window, std::initializer_list<int> cells)
{
    for (QString& mark : window.Label22)
        mark.clear();
    for (int cell : cells)
        window.Label22[std::size_t(cell - 1)] = QStringLiteral("X");
}

}  // namespace tagwright::test
