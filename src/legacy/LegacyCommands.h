#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace tagwright::legacy {

// `tagwright-cli import-access SOURCE --to TARGET`. `arguments` follow the command's name.
// Exit 0 copied, 1 unreadable or damaged source or failed write, 2 bad arguments or an
// existing TARGET.
int runImportAccess(const QStringList& arguments, QTextStream& out, QTextStream& err);

// `tagwright-cli convert [--setup PATH] [--data-path FOLDER] [--progress]`. --progress adds
// "progress DONE TOTAL" lines for the window's progress bar.
int runConvert(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace tagwright::legacy
