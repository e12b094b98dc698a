#pragma once

#include "StoreError.h"

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
class SignatoryProfiles {
public:
    explicit SignatoryProfiles(Database& database) : m_database(database) {}

    // Every signatory with a name, in one query.
    StoreError all(QVector<SignatoryProfile>& profiles) const;
    // The first signatory named `name`; nothing when there is none.
    StoreError find(const QString& name, std::optional<SignatoryProfile>& profile) const;
    // Writes `profile` over the first signatory named `formerName`, or adds it when there is
    // none; `added` says which.
    StoreError save(const SignatoryProfile& profile, const QString& formerName,
                    bool* added = nullptr) const;
    // Removes the first signatory named `name`; `removed` is false when there was none.
    StoreError remove(const QString& name, bool& removed) const;

private:
    StoreError findRecord(const QString& name, qint64& id) const;

    Database& m_database;
};

}  // namespace tagwright::store
