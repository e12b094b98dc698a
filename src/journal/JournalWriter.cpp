#include "JournalWriter.h"

#include "Journal.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace tagwright::journal {

namespace {

// Milliseconds between looks at the writer while the application's thread waits for it.
constexpr int WaitSlice = 15;

}  // namespace

JournalWriter::JournalWriter(store::Database& database, QObject* parent)
    : QObject(parent), m_database(database)
{
    m_thread = QThread::create([this] { writeEntries(); });
    m_thread->setObjectName(QStringLiteral("journal writer"));
    m_thread->start();
}

JournalWriter::~JournalWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread->wait();
    delete m_thread;
    for (const auto& [entry, error] : m_failures)
        qWarning("The journal could not record the label sent to %s: %s",
                 qUtf8Printable(entry.destination), qUtf8Printable(error.describe()));
}

store::StoreError JournalWriter::begin(JournalEntry& entry)
{
    stampBegun(entry);
    return {};
}

store::StoreError JournalWriter::settle(const JournalEntry& settled, const QString& result)
{
    JournalEntry entry = settled;
    entry.result = result;
    {
        std::lock_guard lock(m_mutex);
        if (!m_opener)
            m_opener = m_database.opener();
        m_waiting.push_back(std::move(entry));
    }
    m_changed.notify_all();
    return {};
}

void JournalWriter::flush()
{
    const auto written = [this] { return m_waiting.empty() && !m_writing; };
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        // A write can wait seconds for a locked file or a slow server: meanwhile the window
        // repaints and its timers run; the user's input waits.
        for (;;) {
            {
                std::lock_guard lock(m_mutex);
                if (written())
                    break;
            }
            QEventLoop slice;
            QTimer::singleShot(WaitSlice, &slice, &QEventLoop::quit);
            slice.exec(QEventLoop::ExcludeUserInputEvents);
        }
    } else {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, written);
    }
    tellFailures();
}

void JournalWriter::tellFailures()
{
    QVector<std::pair<JournalEntry, store::StoreError>> failures;
    {
        std::lock_guard lock(m_mutex);
        failures.swap(m_failures);
    }
    for (const auto& [entry, error] : failures) {
        if (m_onFailure)
            m_onFailure(entry, error);
    }
}

// On the writer's thread: its connection is opened on first use, and again after an open
// that failed, so a database that comes back is written to again.
void JournalWriter::writeEntries()
{
    store::Database connection;
    for (;;) {
        JournalEntry entry;
        store::Database::Opener opener;
        {
            std::unique_lock lock(m_mutex);
            m_writing = false;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_waiting.empty())
                return;
            entry = std::move(m_waiting.front());
            m_waiting.pop_front();
            m_writing = true;
            opener = m_opener;
        }
        store::StoreError error;
        if (!connection.isOpen())
            error = opener ? opener(connection)
                           : store::StoreError{store::CannotOpenFile,
                                               QStringLiteral("The database is not open."),
                                               m_database.path()};
        if (error.ok())
            error = Journal(connection).add(entry);
        if (error.ok())
            Q_EMIT entryWritten();
        if (!error.ok()) {
            std::lock_guard lock(m_mutex);
            m_failures.append({entry, error});
            QMetaObject::invokeMethod(this, [this] { tellFailures(); }, Qt::QueuedConnection);
        }
    }
}

}  // namespace tagwright::journal
