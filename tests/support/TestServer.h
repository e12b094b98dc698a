#pragma once

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

namespace tagwright::test {

// A fresh, empty database on the throwaway PostgreSQL server that scripts/test starts and
// names in TAGWRIGHT_TEST_PG; dropped again afterwards. Each test program gets databases of
// its own, so tests run side by side.
class ServerDatabase {
public:
    static QString server() { return qEnvironmentVariable("TAGWRIGHT_TEST_PG"); }

    // Why server tests cannot run here, or an empty text when they can.
    static QString skipReason()
    {
        if (server().isEmpty())
            return QStringLiteral("TAGWRIGHT_TEST_PG is not set: no PostgreSQL server to test "
                                  "against (scripts/test starts one)");
        return {};
    }

    ServerDatabase()
    {
        static int counter = 0;
        m_name = QStringLiteral("tagwright_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        m_created = admin(QStringLiteral("CREATE DATABASE %1").arg(m_name));
    }

    ~ServerDatabase()
    {
        if (m_created)
            admin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    }

    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    bool created() const { return m_created; }
    QString error() const { return m_error; }
    QString name() const { return m_name; }

    // A DataPath naming this database.
    QString dataPath() const
    {
        QString conninfo = server();
        conninfo.remove(QRegularExpression(QStringLiteral("\\bdbname=\\S+")));
        return conninfo.trimmed() + QStringLiteral(" dbname=") + m_name;
    }

    // Runs one statement on the server's own database.
    bool admin(const QString& sql)
    {
        return eachRow(sql, [](const QSqlQuery&) {});
    }

    // Runs one statement on the server's own database and hands over each row it gives.
    template <class Row>
    bool eachRow(const QString& sql, const Row& row)
    {
        const QString connection = QStringLiteral("admin-") + m_name;
        bool done = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
            db.setConnectOptions(server());
            if (db.open()) {
                QSqlQuery query(db);
                done = query.exec(sql);
                if (!done)
                    m_error = query.lastError().text();
                while (done && query.next())
                    row(query);
            } else {
                m_error = db.lastError().text();
            }
        }
        QSqlDatabase::removeDatabase(connection);
        return done;
    }

private:
    QString m_name;
    QString m_error;
    bool m_created = false;
};

}  // namespace tagwright::test
