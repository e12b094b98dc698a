#include "JournalWriter.h"

#include "Journal.h"

#include <QCoreApplication>
#include <QThread>

#include <chrono>

namespace tagwright::journal {

namespace {

// How long the application's thread waits for the writer between running its events.
constexpr std::chrono::milliseconds WaitSlice{15};

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
        qWarning("The journal could not record how the label sent to %s ended: %s",
                 qUtf8Printable(entry.destination), qUtf8Printable(error.describe()));
}

quint64 JournalWriter::handOver(Write job)
{
    quint64 ticket = 0;
    {
        std::lock_guard lock(m_mutex);
        if (!m_opener)
            m_opener = m_database.opener();
        ticket = job.ticket = ++m_handedOver;
        m_waiting.push_back(std::move(job));
    }
    m_changed.notify_all();
    return ticket;
}

store::StoreError JournalWriter::begin(JournalEntry& entry)
{
    stampBegun(entry);
    const quint64 ticket = handOver({entry, false, 0});
    store::StoreError error;
    waitUntil([&] {
        const auto written = m_begun.find(ticket);
        if (written == m_begun.end())
            return false;
        const auto& [added, outcome] = written->second;
        entry.number = outcome.ok() ? added.number : -1;
        entry.disagreement = outcome.ok() ? added.disagreement : std::nullopt;
        error = outcome;
        m_begun.erase(written);
        return true;
    });
    return error;
}

store::StoreError JournalWriter::settle(const JournalEntry& begun, const QString& result)
{
    Write job{begun, true, 0};
    job.entry.result = result;
    handOver(std::move(job));
    return {};
}

void JournalWriter::flush()
{
    waitUntil([this] { return m_waiting.empty() && !m_writing; });
    tellFailures();
}

void JournalWriter::waitUntil(const std::function<bool()>& done)
{
    QCoreApplication* app = QCoreApplication::instance();
    const bool windowThread = app && QThread::currentThread() == app->thread();
    std::unique_lock lock(m_mutex);
    if (!windowThread) {
        m_changed.wait(lock, done);
        return;
    }
    // A write can wait seconds for a locked file or a slow server: meanwhile the window
    // repaints and its timers run; the user's input waits.
    while (!m_changed.wait_for(lock, WaitSlice, done)) {
        lock.unlock();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        lock.lock();
    }
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

store::StoreError JournalWriter::write(store::Database& connection, Write& job)
{
    if (!connection.isOpen()) {
        store::Database::Opener opener;
        {
            std::lock_guard lock(m_mutex);
            opener = m_opener;
        }
        if (store::StoreError error = opener ? opener(connection)
                                             : store::StoreError{store::CannotOpenFile,
                                                                 QStringLiteral("The database is not open."),
                                                                 m_database.path()};
            !error.ok())
            return error;
    }
    return job.settles ? Journal(connection).settle(job.entry.number, job.entry.result)
                       : Journal(connection).add(job.entry);
}

// On the writer's thread: its connection is opened on first use, and again after an open
// that failed, so a database that comes back is written to again.
void JournalWriter::writeEntries()
{
    store::Database connection;
    for (;;) {
        Write job;
        {
            std::unique_lock lock(m_mutex);
            m_writing = false;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_waiting.empty())
                return;
            job = std::move(m_waiting.front());
            m_waiting.pop_front();
            m_writing = true;
        }
        const store::StoreError error = write(connection, job);
        if (error.ok() && !job.settles)
            Q_EMIT entryWritten();
        std::lock_guard lock(m_mutex);
        if (!job.settles) {
            m_begun[job.ticket] = {std::move(job.entry), error};
        } else if (!error.ok()) {
            m_failures.append({job.entry, error});
            QMetaObject::invokeMethod(this, [this] { tellFailures(); }, Qt::QueuedConnection);
        }
    }
}

}  // namespace tagwright::journal
