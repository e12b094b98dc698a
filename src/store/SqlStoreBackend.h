#pragma once

#include "StoreBackend.h"

#include <QHash>
#include <QSqlDatabase>

class QSqlError;
class QSqlRecord;
class QSqlQuery;

namespace tagwright::store {

// The record operations in SQL through one QtSql connection. Each engine says how it names
// a record's identity and version, compares text without letter case and reads its errors.
class SqlStoreBackend : public StoreBackend {
public:
    ~SqlStoreBackend() override;

    QString location() const override { return m_location; }

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

    // Field and table names come from the program itself, but quote them anyway.
    static QString quoted(const QString& identifier);

protected:
    struct Columns {
        QString identity;   // a column, or the engine's own row number
        QString version;    // empty when the table keeps none
        QString titleField; // the unique title, when the table keeps its fold key
    };

    explicit SqlStoreBackend(QString location);

    QSqlDatabase& connection() { return m_db; }
    // A fresh connection of its own through `driver`, replacing any earlier one.
    QSqlDatabase& addConnection(const QString& driver);
    void closeConnection();
    void forgetColumns() { m_columns.clear(); }

    virtual Columns findColumns(const QString& table) = 0;
    // A condition true when `quotedField` equals the bound value, letter case aside.
    virtual QString equalsIgnoringCase(const QString& quotedField) const = 0;
    // A condition true when the bound pattern (with % and _ wildcards, a backslash escaping them) matches
    // `quotedField`, letter case aside.
    virtual QString likeIgnoringCase(const QString& quotedField) const = 0;
    // A registration field's key (store/Registration.h), compared with =, >= and < against
    // a bound key.
    virtual QString registrationKey(const QString& quotedField) const = 0;
    // DuplicateKey, ServerUnavailable or EngineFailure.
    virtual int classify(const QSqlError& error) const = 0;
    // A value as the engine's column takes it.
    virtual QVariant bindable(const QVariant& value) const { return value; }
    // Called before every operation: a server connection lost earlier is opened again here.
    virtual StoreError ready() { return {}; }
    // A failed statement; a lost server connection is noted so the next operation reconnects.
    virtual StoreError failed(const QSqlError& error);

    // Gives each of `tables` with a unique title the fold-key column and its unique index,
    // filled from the stored titles, inside the caller's transaction. Where older files hold
    // titles that differ in letter case alone, the first keeps the key and the others get
    // one no title folds to: they stay readable, and a save asks for a free title.
    StoreError addTitleKeys(const QStringList& tables);
    bool hasColumn(const QString& table, const QString& column);

    StoreError run(QSqlQuery& query);
    // A statement with nothing to bind, run as it stands (the server prepares no DDL).
    StoreError run(QSqlQuery& query, const QString& statement);

private:
    const Columns& columns(const QString& table);
    // The WHERE clause of `conditions` (empty for none), with the values it binds.
    QString whereClause(const QVector<Condition>& conditions, QVariantList& bound) const;
    // `values` with the title's fold key added; an error for a title longer than a title is.
    StoreError withTitleKey(const QString& table, const QSqlRecord& values, QSqlRecord& result);
    StoreError writeRecord(const QString& table, const RecordKey& key, const QString& statement,
                           const QVariantList& bound);
    StoreError classifyMissedWrite(const QString& table, const RecordKey& key);
    static QString engineText(const QSqlError& error);

    QSqlDatabase m_db;
    QString m_connectionName;
    QString m_location;
    QHash<QString, Columns> m_columns;
};

}  // namespace tagwright::store
