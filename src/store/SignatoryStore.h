#pragma once

#include "Result.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace tagwright::store {

class Database;

// A signatory as the shop keeps it: the name printed under the signature line, and the
// certificate the signatory approves work under. Names typed before profiles existed, and
// those read from Access files, have neither kind nor number.
struct SignatoryProfile {
    QString name;
    QString certificateKind;     // "A&P", "A&P/IA", "Repairman" ... free text
    QString certificateNumber;

    bool operator==(const SignatoryProfile&) const = default;
};

// The longest name, kind and number the profile takes (the window's dialog and the command
// line alike): the longest of each still prints inside a label, condensed where it must.
constexpr int SignatoryNameLength = 40;
constexpr int CertificateKindLength = 12;
constexpr int CertificateNumberLength = 16;

// Kinds offered while typing one; any other text is taken as well.
QStringList suggestedCertificateKinds();

// The signatories ("Mechanics") with their certificates, in the order they were added.
// Names are found without regard to letter case, as the signatory list finds them.
class SignatoryStore {
public:
    explicit SignatoryStore(Database& database) : m_database(database) {}

    // Every name the table holds (records without one left out), in one query.
    Result<QStringList> names() const;
    // Every signatory with a name, with the certificate, in one query.
    Result<QVector<SignatoryProfile>> profiles() const;
    // Stores a name alone, as typed into the signatory list.
    StoreError add(const QString& name) const;
    // Whether a signatory is named `name`.
    Result<bool> contains(const QString& name) const;
    // The first signatory named `name`; nothing when there is none.
    Result<std::optional<SignatoryProfile>> find(const QString& name) const;
    // Writes `profile` over the first signatory named `formerName`, or adds it when there is
    // none; true when it was added.
    Result<bool> save(const SignatoryProfile& profile, const QString& formerName) const;
    // Removes the first signatory named `name`; false when there is none.
    Result<bool> remove(const QString& name) const;

private:
    Result<qint64> findRecord(const QString& name) const;

    Database& m_database;
};

}  // namespace tagwright::store
