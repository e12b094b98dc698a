#include "ServerBackend.h"

#include "PostgresBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSqlField>
#include <QThread>
#include <QTimer>

#include <sys/socket.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace tagwright::store {

namespace {

// How long a call cut off at its deadline may take to notice, and how often a waiting caller
// looks at the clock.
constexpr int CutOffGrace = 2000;
constexpr int WaitSlice = 100;

}  // namespace

// The thread that owns the server connection: it runs the jobs posted to it one after
// another. A waiting caller may cut off the statement it is stuck in by shutting its socket
// down, which wakes libpq at once with a closed connection.
class ServerWorker : public QThread {
public:
    using Job = std::function<void(PostgresBackend&)>;

    explicit ServerWorker(ServerAddress address) : m_address(std::move(address))
    {
        m_clock.start();
        beat();
        start();
    }

    void post(Job job)
    {
        beat();
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
        m_wake.notify_one();
    }

    // The thread ends once the jobs posted so far have run.
    void finish()
    {
        std::lock_guard lock(m_mutex);
        m_finish = true;
        m_wake.notify_one();
    }

    // The worker is busy on behalf of a caller: the deadline counts from here.
    void beat() { m_lastBeat = m_clock.elapsed(); }
    qint64 quietFor() const { return m_clock.elapsed() - m_lastBeat; }

    void cutOff()
    {
        std::lock_guard lock(m_socketMutex);
        m_cut = true;
        if (m_socket >= 0)
            ::shutdown(m_socket, SHUT_RDWR);
    }
    // On the worker: whether the job running now was cut off.
    bool wasCut() const { return m_cut; }
    void startJob() { m_cut = false; beat(); }
    // On the worker: the connection, and whether a transaction is running on it (then
    // nothing is tried twice: a fresh connection would be outside the transaction).
    PostgresBackend& backend() { return *m_backend; }
    bool inTransaction() const { return m_inTransaction; }
    void setInTransaction(bool running) { m_inTransaction = running; }

protected:
    void run() override
    {
        PostgresBackend backend(m_address);
        m_backend = &backend;
        // The socket is forgotten under the lock before it is closed, so a cut-off never
        // reaches a descriptor that has since been given to another file.
        backend.watchSocket([this](int socket) {
            std::lock_guard lock(m_socketMutex);
            m_socket = socket;
        });
        for (;;) {
            Job job;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_finish || !m_jobs.empty(); });
                if (m_jobs.empty())
                    break;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            job(backend);
        }
    }

private:
    ServerAddress m_address;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    bool m_finish = false;

    std::mutex m_socketMutex;
    int m_socket = -1;
    std::atomic<bool> m_cut{false};
    QElapsedTimer m_clock;
    std::atomic<qint64> m_lastBeat{0};
    PostgresBackend* m_backend = nullptr;
    bool m_inTransaction = false;
};

namespace {

// One call's answer, filled in by the worker. It is shared, so a caller that stops waiting
// leaves the worker nothing dangling to write into.
struct Answer {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    QEventLoop* waitingLoop = nullptr;

    void complete()
    {
        std::lock_guard lock(mutex);
        done = true;
        if (waitingLoop)
            QMetaObject::invokeMethod(waitingLoop, "quit", Qt::QueuedConnection);
        answered.notify_all();
    }

    bool isDone()
    {
        std::lock_guard lock(mutex);
        return done;
    }
};

template <class Result>
struct CallAnswer : Answer {
    StoreError error;
    Result value{};
};

// Waits a while for the answer. On the application's own thread the wait runs the event loop,
// so windows repaint and timers fire; the user's input waits until the answer is there.
void waitSlice(Answer& answer)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        QEventLoop loop;
        {
            std::lock_guard lock(answer.mutex);
            if (answer.done)
                return;
            answer.waitingLoop = &loop;
        }
        QTimer::singleShot(WaitSlice, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        std::lock_guard lock(answer.mutex);
        answer.waitingLoop = nullptr;
        return;
    }
    std::unique_lock lock(answer.mutex);
    answer.answered.wait_for(lock, std::chrono::milliseconds(WaitSlice), [&] { return answer.done; });
}

enum class Outcome { Answered, CutOff, Abandoned };

// Waits until the worker answers; a worker that stays quiet past the limit is cut off. Work
// that writes into the caller's own variables (`mayAbandon` false) is waited for to its end.
Outcome awaitAnswer(ServerWorker& worker, Answer& answer, bool mayAbandon, int limit)
{
    QElapsedTimer sinceCut;
    while (!answer.isDone()) {
        if (!sinceCut.isValid() && worker.quietFor() > limit) {
            worker.cutOff();
            sinceCut.start();
        } else if (sinceCut.isValid() && mayAbandon && sinceCut.elapsed() > CutOffGrace) {
            return Outcome::Abandoned;
        }
        waitSlice(answer);
    }
    return sinceCut.isValid() ? Outcome::CutOff : Outcome::Answered;
}

// A read tried once more on a fresh connection when the open one turned out dropped (not when
// the server could not be reached, nor when the read was cut off for taking too long).
template <class Result, class Read>
StoreError readTwiceWhenDropped(PostgresBackend& backend, ServerWorker& worker, Result& out,
                                const Read& read)
{
    const bool wasConnected = backend.connected();
    StoreError error = read(out);
    if (error.number == ServerUnavailable && wasConnected && !worker.wasCut()
        && !worker.inTransaction()) {
        out = Result{};
        worker.beat();
        error = read(out);
    }
    return error;
}

// Whether a change sent before the connection dropped reached the stored record: the version
// moved on by one and every field written holds what was sent.
bool changeArrived(const StoredRecord& now, const RecordKey& key, const QSqlRecord& values)
{
    if (!now.found || now.version.toLongLong() != key.version.toLongLong() + 1)
        return false;
    for (int i = 0; i < values.count(); ++i) {
        const QVariant sent = values.value(i);
        const QVariant stored = now.fields.value(values.fieldName(i));
        if (sent.isNull() != stored.isNull() || sent.toString() != stored.toString())
            return false;
    }
    return true;
}

std::atomic<bool> g_oneDeadline{false};

// Runs `op` (StoreError(PostgresBackend&, ServerWorker&, Result&)) on the worker and waits
// for its answer under the deadline. Called on the worker itself (the work of a transaction),
// it runs at once. `patience` holds the deadline and records that one passed.
template <class Result, class Op>
StoreError callWorker(std::unique_ptr<ServerWorker>& owner, const ServerAddress& address,
                      ServerBackend::Patience& patience, Result& out, const StoreError& unanswered, Op op, bool mayAbandon = true)
{
    if (owner && QThread::currentThread() == owner.get()) {
        // Inside a transaction that was cut off, nothing more is sent (nor reconnected for).
        if (owner->wasCut())
            return unanswered;
        owner->beat();
        return op(owner->backend(), *owner, out);
    }
    if (patience.silent && g_oneDeadline)
        return unanswered;
    if (!owner)
        owner = std::make_unique<ServerWorker>(address);
    ServerWorker& worker = *owner;
    auto answer = std::make_shared<CallAnswer<Result>>();
    ServerWorker* self = &worker;
    worker.post([answer, self, op](PostgresBackend& backend) {
        self->startJob();
        answer->error = op(backend, *self, answer->value);
        answer->complete();
    });
    switch (awaitAnswer(worker, *answer, mayAbandon, patience.limit)) {
    case Outcome::Answered:
        out = std::move(answer->value);
        return answer->error;
    case Outcome::CutOff:
        patience.silent = true;
        return unanswered;
    case Outcome::Abandoned:
        patience.silent = true;
        // Stuck where cutting the socket cannot reach (opening a connection): the thread
        // ends on its own once libpq gives up, and the next call starts a fresh one.
        worker.finish();
        (void)owner.release();
        return unanswered;
    }
    return unanswered;
}

}  // namespace

ServerBackend::ServerBackend(ServerAddress address, int answerLimit)
    : m_address(std::move(address)), m_patience{answerLimit, false}
{
}

void ServerBackend::oneDeadlinePerConnection(bool once)
{
    g_oneDeadline = once;
}

ServerBackend::~ServerBackend()
{
    if (!m_worker)
        return;
    m_worker->finish();
    // A worker still stuck in a call that was given up is left to end on its own.
    if (!m_worker->wait(CutOffGrace))
        (void)m_worker.release();
}

StoreError ServerBackend::unanswered() const
{
    return {ServerUnavailable,
            QStringLiteral("The database server did not answer within %1 seconds: it may be "
                           "stopped, overloaded or cut off. Try again when it is back.")
                .arg((m_patience.limit + 999) / 1000),
            m_address.display};
}

StoreError ServerBackend::open(const QVector<schema::TableLayout>& layout)
{
    bool unused = false;
    return callWorker(m_worker, m_address, m_patience, unused, unanswered(),
                      [layout](PostgresBackend& backend, ServerWorker&, bool&) {
                          return backend.open(layout);
                      });
}

bool ServerBackend::hasTable(const QString& table)
{
    bool found = false;
    return findTable(table, found).ok() && found;
}

StoreError ServerBackend::findTable(const QString& table, bool& found)
{
    found = false;
    return callWorker(m_worker, m_address, m_patience, found, unanswered(),
                      [table](PostgresBackend& backend, ServerWorker& worker, bool& out) {
                          return readTwiceWhenDropped(backend, worker, out, [&](bool& o) {
                              return backend.findTable(table, o);
                          });
                      });
}

StoreError ServerBackend::recordIds(const QString& table, QVector<qint64>& ids)
{
    return callWorker(m_worker, m_address, m_patience, ids, unanswered(),
                      [table](PostgresBackend& backend, ServerWorker& worker, QVector<qint64>& out) {
                          return readTwiceWhenDropped(backend, worker, out, [&](QVector<qint64>& o) {
                              return backend.recordIds(table, o);
                          });
                      });
}

StoreError ServerBackend::fieldColumn(const QString& table, const QString& field,
                                      QVector<QPair<qint64, QVariant>>& values)
{
    using Column = QVector<QPair<qint64, QVariant>>;
    return callWorker(m_worker, m_address, m_patience, values, unanswered(),
                      [table, field](PostgresBackend& backend, ServerWorker& worker, Column& out) {
                          return readTwiceWhenDropped(backend, worker, out, [&](Column& o) {
                              return backend.fieldColumn(table, field, o);
                          });
                      });
}

StoreError ServerBackend::select(const QString& table, const Selection& selection,
                                 QVector<SelectedRecord>& records)
{
    using Records = QVector<SelectedRecord>;
    return callWorker(m_worker, m_address, m_patience, records, unanswered(),
                      [table, selection](PostgresBackend& backend, ServerWorker& worker, Records& out) {
                          return readTwiceWhenDropped(backend, worker, out, [&](Records& o) {
                              return backend.select(table, selection, o);
                          });
                      });
}

StoreError ServerBackend::count(const QString& table, const QVector<Condition>& conditions,
                                qint64& records)
{
    return callWorker(m_worker, m_address, m_patience, records, unanswered(),
                      [table, conditions](PostgresBackend& backend, ServerWorker& worker, qint64& out) {
                          return readTwiceWhenDropped(backend, worker, out, [&](qint64& o) {
                              return backend.count(table, conditions, o);
                          });
                      });
}

StoreError ServerBackend::read(const QString& table, qint64 id, StoredRecord& record)
{
    record = StoredRecord();
    return callWorker(m_worker, m_address, m_patience, record, unanswered(),
                      [table, id](PostgresBackend& backend, ServerWorker& worker, StoredRecord& out) {
                          return readTwiceWhenDropped(backend, worker, out, [&](StoredRecord& o) {
                              return backend.read(table, id, o);
                          });
                      });
}

StoreError ServerBackend::findFirst(const QString& table, const QString& field,
                                    const QVariant& value, qint64& id)
{
    id = -1;
    qint64 found = -1;
    const StoreError error = callWorker(
        m_worker, m_address, m_patience, found, unanswered(),
        [table, field, value](PostgresBackend& backend, ServerWorker& worker, qint64& out) {
            return readTwiceWhenDropped(backend, worker, out, [&](qint64& o) {
                return backend.findFirst(table, field, value, o);
            });
        });
    id = found;
    return error;
}

namespace {

// Outside a transaction, a connection that died since its last use is found by a statement
// that changes nothing, before the write is sent; the write then goes over a fresh one.
bool checkConnectionBeforeWriting(PostgresBackend& backend, ServerWorker& worker)
{
    if (worker.inTransaction())
        return true;
    // Whether it failed is what wasCut() says.
    static_cast<void>(backend.ping());
    return !worker.wasCut();
}

// A change or delete of one record that failed with its connection: tried once more when
// the record shows that the server did not apply it; answered as done when it shows it did.
template <class Write>
StoreError writeOnceMore(PostgresBackend& backend, ServerWorker& worker, const QString& table,
                         const RecordKey& key, const QSqlRecord* values, StoreError failure,
                         const Write& write)
{
    if (failure.number != ServerUnavailable || worker.wasCut() || worker.inTransaction()
        || key.version.isNull())
        return failure;
    worker.beat();
    StoredRecord now;
    if (StoreError error = backend.read(table, key.id, now); !error.ok())
        return failure;
    if (values ? changeArrived(now, key, *values) : !now.found)
        return {};
    return write();
}

}  // namespace

StoreError ServerBackend::insert(const QString& table, const QSqlRecord& values, qint64& id)
{
    qint64 added = -1;
    const StoreError error = callWorker(
        m_worker, m_address, m_patience, added, unanswered(),
        [table, values](PostgresBackend& backend, ServerWorker& worker, qint64& out) {
            if (!checkConnectionBeforeWriting(backend, worker))
                return StoreError{ServerUnavailable, QString(), backend.location()};
            return backend.insert(table, values, out);
        });
    if (error.ok())
        id = added;
    return error;
}

StoreError ServerBackend::update(const QString& table, const RecordKey& key,
                                 const QSqlRecord& values)
{
    bool unused = false;
    return callWorker(
        m_worker, m_address, m_patience, unused, unanswered(),
        [table, key, values](PostgresBackend& backend, ServerWorker& worker, bool&) {
            if (!checkConnectionBeforeWriting(backend, worker))
                return StoreError{ServerUnavailable, QString(), backend.location()};
            const auto write = [&] { return backend.update(table, key, values); };
            return writeOnceMore(backend, worker, table, key, &values, write(), write);
        });
}

StoreError ServerBackend::remove(const QString& table, const RecordKey& key)
{
    bool unused = false;
    return callWorker(m_worker, m_address, m_patience, unused, unanswered(),
                      [table, key](PostgresBackend& backend, ServerWorker& worker, bool&) {
                          if (!checkConnectionBeforeWriting(backend, worker))
                              return StoreError{ServerUnavailable, QString(), backend.location()};
                          const auto write = [&] { return backend.remove(table, key); };
                          return writeOnceMore(backend, worker, table, key, nullptr, write(), write);
                      });
}

StoreError ServerBackend::inTransaction(const std::function<StoreError()>& work)
{
    bool unused = false;
    // `work` writes into its caller's variables: it is waited for to its end, which cutting
    // its socket off at the deadline brings about at once.
    return callWorker(
        m_worker, m_address, m_patience, unused, unanswered(),
        [&work](PostgresBackend& backend, ServerWorker& worker, bool&) {
            if (!checkConnectionBeforeWriting(backend, worker))
                return StoreError{ServerUnavailable, QString(), backend.location()};
            worker.setInTransaction(true);
            const StoreError outcome = backend.inTransaction(work);
            worker.setInTransaction(false);
            return outcome;
        },
        false);
}

}  // namespace tagwright::store
