#pragma once

#include "Result.h"
#include "Template.h"

#include <QVector>

#include <optional>

namespace tagwright::store {

class Database;

// The label templates as values, on a file or a server alike: the card order, whole
// templates loaded by identity, and writes checked against the version that was read.
// No cursor: every call says which template it means.
class TemplateStore {
public:
    explicit TemplateStore(Database& database) : m_database(database) {}

    // Every template's identity and title in the card order (the order they were added),
    // in one query.
    Result<QVector<TemplateTitle>> titles() const;
    // The first template in card order titled `title`, letter case aside; nothing when
    // there is none.
    Result<std::optional<qint64>> find(const QString& title) const;
    // The template as stored now; one deleted meanwhile is refused with DeletedMeanwhile.
    Result<Template> load(qint64 id) const;

    // Writes `parts` of `changed` over the stored template `changed.key` names. The write
    // is refused with ChangedMeanwhile or DeletedMeanwhile when the template was changed or
    // deleted since that version was read, and with DuplicateKey when another template has
    // the title. Returns the template as stored now.
    Result<Template> save(const Template& changed, TemplateParts parts) const;
    // Adds `parts` of `fresh` as a new template, the last in card order (the other fields
    // stay missing). Returns it as stored.
    Result<Template> add(const Template& fresh, TemplateParts parts) const;
    // Removes the template `key` names, checked against its version like save().
    StoreError remove(const RecordKey& key) const;

private:
    StoreError deletedMeanwhile() const;

    Database& m_database;
};

// Body text between the card's box (lines separated by "\n") and the store (CR LF).
QString storedBody(const QString& shownText);
QString shownBody(const QString& storedText);

}  // namespace tagwright::store
