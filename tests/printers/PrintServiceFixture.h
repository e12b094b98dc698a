#pragma once

#include "PrintedPdf.h"

#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

namespace tagwright::test {

// The private CUPS server that scripts/test starts (scripts/cups-server.sh), for a test to
// print on: its cups-pdf queues, "TagwrightPlain" (A4 by default, no margins),
// "TagwrightMargins" (its Letter page printable inside 0.25 in margins) and "TagwrightUneven". The tests run one at
// a time against them (a CTest resource lock), so a test's files are the ones that appear
// while it runs. A fixture calls start() in its SetUp and skips when it gives a reason.
class PrintServiceQueues {
public:
    static constexpr const char* Plain = "TagwrightPlain";
    static constexpr const char* Margins = "TagwrightMargins";
    // Letter printable inside 12 pt left, 9 pt top, 18 pt right and 54 pt bottom margins.
    static constexpr const char* Uneven = "TagwrightUneven";
    static constexpr double MarginPt = 18;  // 0.25 in

    // Why there is no server to print on, or an empty text when there is one.
    std::string start()
    {
        const QString server = qEnvironmentVariable("TAGWRIGHT_TEST_CUPS_SERVER");
        if (server.isEmpty()) {
            const QString why = qEnvironmentVariable("TAGWRIGHT_TEST_CUPS_SKIP");
            return "no private CUPS server: "
                + (why.isEmpty() ? QStringLiteral("run the tests through scripts/test, which starts one") : why)
                      .toStdString();
        }
        // Set before Qt's printer support first asks the print service.
        qputenv("CUPS_SERVER", server.toLocal8Bit());
        m_output = QDir(qEnvironmentVariable("TAGWRIGHT_TEST_CUPS_PDF"));
        m_before = files();
        return {};
    }

    ~PrintServiceQueues()
    {
        if (m_ownQueue.isEmpty())
            return;
        // Quietly: a test may have removed it already.
        QProcess remove;
        remove.start(QStringLiteral("lpadmin"), {QStringLiteral("-x"), m_ownQueue});
        remove.waitForFinished(30000);
    }

    // Runs an administration tool of the print service (lpadmin, cupsdisable ...).
    static void admin(const QString& tool, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(tool, arguments);
        ASSERT_TRUE(process.waitForFinished(30000)) << tool.toStdString();
        const QString output = QString::fromLocal8Bit(process.readAll());
        ASSERT_EQ(process.exitCode(), 0) << tool.toStdString() << ": " << output.toStdString();
    }

    // A queue of this test's own, which it may pause, refuse or delete.
    QString addOwnQueue()
    {
        const QString name = QStringLiteral("TagwrightOwn%1").arg(QCoreApplication::applicationPid());
        admin(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                          QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                                          QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")});
        m_ownQueue = name;
        return name;
    }

    // The PDFs cups-pdf wrote since the test began, once `count` of them are there and
    // complete; fewer when they do not come within a minute.
    QStringList printed(int count)
    {
        QDeadlineTimer deadline(60000);
        QStringList fresh;
        while (!deadline.hasExpired()) {
            fresh.clear();
            for (const QString& name : files()) {
                if (!m_before.contains(name))
                    fresh << m_output.filePath(name);
            }
            if (fresh.size() >= count && complete(fresh))
                break;
            QThread::msleep(200);
        }
        fresh.sort();
        return fresh;
    }

    static void expectAt(const QPointF& actual, const QPointF& expected, const std::string& what)
    {
        EXPECT_NEAR(actual.x(), expected.x(), 1.0) << what << ": left edge of the ink";
        EXPECT_NEAR(actual.y(), expected.y(), 1.0) << what << ": top edge of the ink";
    }

private:
    QSet<QString> files() const
    {
        const QStringList names = m_output.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        return QSet<QString>(names.begin(), names.end());
    }

    // Ghostscript writes the file in pieces; a finished PDF ends with its trailer.
    static bool complete(const QStringList& files)
    {
        for (const QString& name : files) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly) || file.size() < 32)
                return false;
            file.seek(file.size() - 32);
            if (!file.read(32).contains("%%EOF"))
                return false;
        }
        return true;
    }

    QDir m_output;
    QSet<QString> m_before;
    QString m_ownQueue;
};

}  // namespace tagwright::test
