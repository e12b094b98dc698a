#include "ServerAddress.h"

#include "ClientLibrary.h"

#include <QMap>
#include <QRegularExpression>

namespace tagwright::store {

namespace {

// Seconds to wait for a connection, and for unacknowledged data on a TCP connection whose
// server went away without a word.
const QMap<QString, QString> TimeLimits{
    {QStringLiteral("connect_timeout"), QStringLiteral("4")},
    {QStringLiteral("tcp_user_timeout"), QStringLiteral("5000")},
    {QStringLiteral("keepalives_idle"), QStringLiteral("5")},
    {QStringLiteral("keepalives_interval"), QStringLiteral("2")},
    {QStringLiteral("keepalives_count"), QStringLiteral("2")},
};

// Settings that carry a secret, or say where one is kept: DataPath is a plain file on every
// workstation, copied and shown in support mails, so none of them belongs there.
const QStringList SecretKeys{QStringLiteral("password"), QStringLiteral("sslpassword"),
                             QStringLiteral("passfile")};

QString conninfoValue(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString describe(const QMap<QString, QString>& options)
{
    QString host = options.value(QStringLiteral("host"), options.value(QStringLiteral("hostaddr")));
    if (host.isEmpty())
        host = QStringLiteral("localhost");
    QString text = QStringLiteral("postgresql://") + host;
    if (options.contains(QStringLiteral("port")))
        text += u':' + options.value(QStringLiteral("port"));
    const QString dbname = options.value(QStringLiteral("dbname"));
    if (!dbname.isEmpty())
        text += u'/' + dbname;
    if (options.contains(QStringLiteral("service")))
        text += QStringLiteral(" (service %1)").arg(options.value(QStringLiteral("service")));
    return text;
}

}  // namespace

bool isServerAddress(const QString& dataPath)
{
    static const QRegularExpression keyValue(QStringLiteral("^\\s*[A-Za-z_]+\\s*="));
    return dataPath.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive)
        || dataPath.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive)
        || keyValue.match(dataPath).hasMatch();
}

StoreError parseServerAddress(const QString& dataPath, ServerAddress& address)
{
    QString unloaded;
    const ClientLibrary* pq = clientLibrary(unloaded);
    if (!pq) {
        return {ServerUnavailable,
                QStringLiteral("DataPath names a database server, but PostgreSQL's client library "
                               "cannot be loaded: %1 Install the package libpq5.").arg(unloaded),
                QStringLiteral("DataPath")};
    }
    char* parseError = nullptr;
    PQconninfoOption* parsed = pq->conninfoParse(dataPath.toUtf8().constData(), &parseError);
    if (!parsed) {
        const QString reason = parseError ? QString::fromUtf8(parseError).trimmed()
                                          : QStringLiteral("out of memory");
        pq->freemem(parseError);
        return {ServerUnavailable,
                QStringLiteral("DataPath does not name a database server: %1").arg(reason),
                QStringLiteral("DataPath")};
    }
    QMap<QString, QString> options;
    for (PQconninfoOption* option = parsed; option->keyword; ++option) {
        if (option->val)
            options.insert(QString::fromUtf8(option->keyword), QString::fromUtf8(option->val));
    }
    pq->conninfoFree(parsed);

    // Messages name the server as the user wrote it (a socket folder reads as given), unless
    // what was written holds a secret.
    address.place = describe(options);
    address.display = dataPath.trimmed();
    for (const QString& secret : SecretKeys) {
        if (options.contains(secret)) {
            address.display = address.place;
            return {ServerUnavailable,
                    QStringLiteral("DataPath holds a %1. Remove it and give passwords through "
                                   "~/.pgpass, PGPASSWORD or a service file.")
                        .arg(secret),
                    address.display};
        }
    }
    for (auto limit = TimeLimits.cbegin(); limit != TimeLimits.cend(); ++limit) {
        if (!options.contains(limit.key()))
            options.insert(limit.key(), limit.value());
    }
    QStringList pairs;
    for (auto option = options.cbegin(); option != options.cend(); ++option)
        pairs << option.key() + u'=' + conninfoValue(option.value());
    address.conninfo = pairs.join(u' ');
    return {};
}

}  // namespace tagwright::store
