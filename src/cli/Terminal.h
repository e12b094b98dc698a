#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class QTextStream;

namespace tagwright::cli {

// "PROGRAM: MESSAGE" as one line on `err`. Control characters a user typed or a file held
// (ESC, newlines, tabs) are shown escaped, so a value can neither break the line scripts
// read nor drive the terminal.
void complain(QTextStream& err, const QString& message,
              const QString& program = QStringLiteral("tagwright-cli"));

// `text` with every control character written as an escape (\n, \t, \x1b, \u0085), and each
// byte that was not UTF-8 (see decodeArgument) as \xNN.
QString escapeControls(const QString& text);

// One line of a plain listing: each cell escaped as above and padded to its width, two
// spaces apart; the last one runs to the end of the line.
QString listingRow(const QStringList& cells, const QVector<int>& widths);

// A command-line argument as text, keeping bytes that are not UTF-8: each becomes the lone
// surrogate U+DC80 + byte, which encodeArgument() turns back into that byte, so a file name
// written in another encoding reaches the file system unchanged.
QString decodeArgument(const QByteArray& bytes);
QByteArray encodeArgument(const QString& text);
// Whether decodeArgument() kept a byte of `text` that was not UTF-8.
bool holdsUndecodedBytes(const QString& text);

}  // namespace tagwright::cli
