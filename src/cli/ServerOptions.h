#pragma once

#include "Command.h"

#include "store/StoreError.h"

#include <QCommandLineOption>

class QTextStream;

namespace tagwright::cli {

// What `share` and `join` have in common: the setup database they change, and the server
// address they are given.
QCommandLineOption setupOption();
// --setup, or the setup database the window uses.
QString setupPathOf(const Invocation& invocation);
// Refuses (exit 2) a server address that is missing, not one, or holds a password.
void checkServerAddress(const QString& given, const QString& option);
// The error on stderr with the file or server it concerns; returns `code`.
int fail(QTextStream& err, const store::StoreError& error, int code = Failed);

}  // namespace tagwright::cli
