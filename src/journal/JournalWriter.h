#pragma once

#include "EntrySink.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

class QThread;

namespace tagwright::journal {

// Writes the journal entries of the window's prints on a thread of its own, through a
// connection of its own to the window's database. A label's entry is written before the
// label is placed or sent: begin() waits for it, the window repainting meanwhile. How the
// label ended is handed over and written meanwhile (settle()), in order after its entry.
class JournalWriter : public QObject, public EntrySink {
    Q_OBJECT
public:
    // Told on the owner's thread about an entry whose ending could not be written.
    using FailureHandler = std::function<void(const JournalEntry&, const store::StoreError&)>;

    // `database` is the window's open database; it is only asked how it was opened.
    explicit JournalWriter(store::Database& database, QObject* parent = nullptr);
    // Writes what is still to write before it goes; failures then are only logged.
    ~JournalWriter() override;

    void setFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }

    // Stamps `entry` and writes it with the result it carries; returns once it is written
    // (its number and disagreement set) or could not be.
    store::StoreError begin(JournalEntry& entry) override;
    // Hands over how the label of a begun entry ended and returns at once: a failure to
    // write it is told to the failure handler.
    store::StoreError settle(const JournalEntry& entry, const QString& result) override;

    // Returns when everything handed over is written or has failed, after telling the
    // failure handler about the failures. Readers of the journal call it first.
    void flush();

Q_SIGNALS:
    // An entry is in the journal now (emitted from the writer's thread: connect across).
    void entryWritten();

private:
    // One write for the writer's thread: an entry to add, or the result of one added.
    struct Write {
        JournalEntry entry;
        bool settles = false;
        quint64 ticket = 0;
    };

    void writeEntries();
    store::StoreError write(store::Database& connection, Write& job);
    quint64 handOver(Write job);
    // Waits until `done` holds (with m_mutex held); on the application's thread its events
    // other than the user's input run meanwhile.
    void waitUntil(const std::function<bool()>& done);
    void tellFailures();

    store::Database& m_database;
    FailureHandler m_onFailure;
    QThread* m_thread = nullptr;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Write> m_waiting;   // guarded by m_mutex, as are the members below
    store::Database::Opener m_opener;
    bool m_writing = false;
    bool m_stopping = false;
    quint64 m_handedOver = 0;      // the last write's ticket
    // Entries begun and written (or not), by ticket, until their begin() takes them: as the
    // journal added them (numbered, a disagreement said), and how the write went.
    std::map<quint64, std::pair<JournalEntry, store::StoreError>> m_begun;
    QVector<std::pair<JournalEntry, store::StoreError>> m_failures;
};

}  // namespace tagwright::journal
