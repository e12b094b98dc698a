#pragma once

#include "printing/BoxText.h"
#include "printing/LabelPrinter.h"
#include "printing/PrintRequest.h"
#include "printing/RecordingSurface.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace tagwright::test {

using printing::RecordedOp;

// A window as a shop typically has it: captions filled, no company block, no logo, free
// cells, header font sizes that make the recording metrics easy to count (body 8 + 2 = 10
// points: 100 twips a character, 240 a line).
inline printing::PrintRequest plainWindow()
{
    printing::PrintRequest w;
    w.label.registration.caption = QStringLiteral("Reg #");
    w.label.make.caption = QStringLiteral("Make");
    w.label.serial.caption = QStringLiteral("Serial");
    w.label.tach.caption = QStringLiteral("Tach");
    w.label.totalTime.caption = QStringLiteral("T.T.");
    w.label.sinceOverhaul.caption = QStringLiteral("SMOH");
    w.label.registration.value = QStringLiteral("N123AB");
    w.label.date = QStringLiteral("03-07-2001");
    w.label.body = QStringLiteral("Body");
    w.label.bodyFont = {QStringLiteral("Arial"), 8.0f, false, false};
    w.sheet.used = {};
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

inline void markCells(printing::PrintRequest& window, std::initializer_list<int> cells)
{
    window.sheet.used = {};
    for (int cell : cells)
        window.sheet.used.insert(cell);
}

}  // namespace tagwright::test
