#pragma once

#include "Schema.h"
#include "ServerAddress.h"
#include "StoreBackend.h"

#include <memory>

namespace tagwright::store {

class ServerWorker;

// A database server as the program uses it. libpq waits as long as the server takes, and a
// server whose processes are stopped while its kernel still acknowledges packets takes
// forever: neither TCP timeouts nor the server's own statement_timeout ever fire. So the
// connection lives on a thread of its own, and the caller waits for each operation with a
// deadline of its own: the window's thread meanwhile keeps painting and running its timers
// (user input waits), and an operation that passes the deadline is cut off and reported.
//
// A read that finds the connection dropped (a server restart ends every connection) is tried
// once more on a fresh one. A write is tried again only when the server cannot have applied
// it: every write is preceded by a statement that does nothing, so a dead connection is found
// before the write is sent; a change or delete that fails after it is sent is tried again
// only when the record's version shows it was not applied. Nothing is retried inside a
// transaction.
class ServerBackend : public StoreBackend {
public:
    explicit ServerBackend(ServerAddress address, int answerLimit = AnswerLimit);
    ~ServerBackend() override;

    // Connects; with `layout` given, creates the tables the database does not hold yet.
    StoreError open(const QVector<schema::TableLayout>& layout = {});

    // Milliseconds an operation may go without an answer from the server.
    static constexpr int AnswerLimit = 7000;
    // For a program that runs one command and ends (the command line): once an operation
    // passed its deadline, every later one on that connection fails at once with the same
    // message, so a command ends within one deadline of the server going silent. The window
    // asks again at the user's next action.
    static void oneDeadlinePerConnection(bool once);

    struct Patience {
        int limit = AnswerLimit;   // milliseconds
        bool silent = false;       // an operation passed its deadline
    };

    QString location() const override { return m_address.display; }
    bool hasTable(const QString& table) override;
    StoreError findTable(const QString& table, bool& found) override;
    StoreError recordIds(const QString& table, QVector<qint64>& ids) override;
    StoreError fieldColumn(const QString& table, const QString& field,
                           QVector<QPair<qint64, QVariant>>& values) override;
    StoreError read(const QString& table, qint64 id, StoredRecord& record) override;
    StoreError findFirst(const QString& table, const QString& field, const QVariant& value,
                         qint64& id) override;
    StoreError select(const QString& table, const Selection& selection,
                      QVector<SelectedRecord>& records) override;
    StoreError count(const QString& table, const QVector<Condition>& conditions,
                     qint64& records) override;
    StoreError insert(const QString& table, const QSqlRecord& values, qint64& id) override;
    StoreError update(const QString& table, const RecordKey& key,
                      const QSqlRecord& values) override;
    StoreError remove(const QString& table, const RecordKey& key) override;
    StoreError inTransaction(const std::function<StoreError()>& work) override;

private:
    StoreError unanswered() const;

    ServerAddress m_address;
    std::unique_ptr<ServerWorker> m_worker;
    Patience m_patience;
};

}  // namespace tagwright::store
