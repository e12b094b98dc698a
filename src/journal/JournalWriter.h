#pragma once

#include "EntrySink.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace tagwright::journal {

// Writes the entries of the window's prints on a thread of its own, through a connection of
// its own to the window's database: the print goes on as soon as its entry is handed over,
// while the write and the disk's sync take their time. Entries are written in the order
// they were handed over; each is stamped with its time, workstation and user when handed
// over, so the journal's times are the prints' times.
class JournalWriter : public QObject, public EntrySink {
    Q_OBJECT
public:
    // Told on the owner's thread about an entry that could not be written.
    using FailureHandler = std::function<void(const JournalEntry&, const store::StoreError&)>;

    // `database` is the window's open database; it is only asked how it was opened.
    explicit JournalWriter(store::Database& database, QObject* parent = nullptr);
    // Writes what is still to write before it goes; failures then are only logged.
    ~JournalWriter() override;

    void setFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }

    // Stamps the entry of a label about to leave; the window's entries are written once their
    // labels are out, off the print's way (settle()).
    store::StoreError begin(JournalEntry& entry) override;
    // Hands over the entry with how its label ended and returns at once: a failure to write
    // it is told to the failure handler.
    store::StoreError settle(const JournalEntry& entry, const QString& result) override;

    // Returns when every entry handed over is written or has failed, after telling the
    // failure handler about the failures. Readers of the journal call it first.
    void flush();

Q_SIGNALS:
    // An entry is in the journal now (emitted from the writer's thread: connect across).
    void entryWritten();

private:
    void writeEntries();
    void tellFailures();

    store::Database& m_database;
    FailureHandler m_onFailure;
    QThread* m_thread = nullptr;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<JournalEntry> m_waiting;   // guarded by m_mutex, as are the three below
    store::Database::Opener m_opener;
    bool m_writing = false;
    bool m_stopping = false;
    QVector<std::pair<JournalEntry, store::StoreError>> m_failures;
};

}  // namespace tagwright::journal
