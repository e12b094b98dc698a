#include "ServerOptions.h"

#include "Terminal.h"

#include "store/ServerAddress.h"

#include <QCommandLineParser>

namespace tagwright::cli {

QCommandLineOption setupOption()
{
    return QCommandLineOption(QStringLiteral("setup"),
                              QStringLiteral("The setup database (default: the one the window "
                                             "uses, SetupTGW.MDB)."),
                              QStringLiteral("PATH"));
}

QString setupPathOf(const Invocation& invocation)
{
    const QString setup = setupOption().names().constFirst();
    return invocation.options.isSet(setup) ? invocation.options.value(setup)
                                           : invocation.environment.setupPath;
}

void checkServerAddress(const QString& given, const QString& option)
{
    if (given.isEmpty())
        throw Refusal{QStringLiteral("Which server? Give %1 (postgresql://host/dbname).").arg(option)};
    if (!store::isServerAddress(given))
        throw Refusal{QStringLiteral("%1 takes a postgresql:// URI or a key=value connection "
                                     "string, not \"%2\".").arg(option, given)};
    store::ServerAddress address;
    if (store::StoreError error = store::parseServerAddress(given, address); !error.ok())
        throw Refusal{error.message};
}

int fail(QTextStream& err, const store::StoreError& error, int code)
{
    const QString where = error.path.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(error.path);
    complain(err, error.message.simplified() + where);
    return code;
}

}  // namespace tagwright::cli
