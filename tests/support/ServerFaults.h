#pragma once

#include "TestServer.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>

#include <signal.h>
#include <unistd.h>

namespace tagwright::test {

// What happens to a server under the programs: a restart, or every one of its processes
// stopped (kill -STOP) while the kernel still takes in what is sent to it. This acts on the
// whole throwaway server, so the tests that use it run on their own (RUN_SERIAL).
class ServerFaults {
public:
    ServerFaults() = default;
    ~ServerFaults() { resume(); }
    ServerFaults(const ServerFaults&) = delete;
    ServerFaults& operator=(const ServerFaults&) = delete;

    static QString skipReason()
    {
        if (QString reason = ServerDatabase::skipReason(); !reason.isEmpty())
            return reason;
        if (qEnvironmentVariable("TAGWRIGHT_TEST_PG_CTL").isEmpty()
            || qEnvironmentVariable("TAGWRIGHT_TEST_PG_DATA").isEmpty())
            return QStringLiteral("TAGWRIGHT_TEST_PG_CTL and TAGWRIGHT_TEST_PG_DATA are not set: "
                                  "the server cannot be restarted or stopped here");
        return {};
    }

    // pg_ctl restart, waiting until the server takes connections again.
    bool restart()
    {
        QStringList command{qEnvironmentVariable("TAGWRIGHT_TEST_PG_CTL"), QStringLiteral("-D"),
                            qEnvironmentVariable("TAGWRIGHT_TEST_PG_DATA"), QStringLiteral("-m"),
                            QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("restart")};
        // The cluster belongs to the unprivileged "postgres" user when the tests run as root.
        if (::geteuid() == 0)
            command = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + command;
        QProcess pgCtl;
        pgCtl.start(::geteuid() == 0 ? QStringLiteral("runuser") : command.takeFirst(), command);
        return pgCtl.waitForFinished(60000) && pgCtl.exitCode() == 0;
    }

    // Stops the postmaster and every server process; resume() (or the destructor) goes on.
    bool freeze(ServerDatabase& server)
    {
        QFile pidFile(qEnvironmentVariable("TAGWRIGHT_TEST_PG_DATA") + QStringLiteral("/postmaster.pid"));
        if (!pidFile.open(QIODevice::ReadOnly))
            return false;
        const pid_t postmaster = pid_t(pidFile.readLine().trimmed().toLongLong());
        QList<pid_t> processes;
        if (!server.eachRow(QStringLiteral("SELECT pid FROM pg_stat_activity WHERE pid <> pg_backend_pid()"),
                            [&](const QSqlQuery& row) { processes << pid_t(row.value(0).toLongLong()); }))
            return false;
        for (pid_t pid : QList<pid_t>{postmaster} + processes) {
            if (::kill(pid, SIGSTOP) == 0)
                m_stopped << pid;
        }
        return !m_stopped.isEmpty();
    }

    void resume()
    {
        for (pid_t pid : m_stopped)
            ::kill(pid, SIGCONT);
        m_stopped.clear();
    }

private:
    QList<pid_t> m_stopped;
};

}  // namespace tagwright::test
