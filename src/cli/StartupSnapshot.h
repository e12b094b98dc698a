#pragma once

#include "printing/PrintRequest.h"
#include "store/SignatoryProfiles.h"

#include <QString>

#include <optional>

namespace tagwright::cli {

// The window's fields as start-up and the first display of a template leave them, read
// from the two database files without writing to either.
struct StartupSnapshot {
    enum class Outcome { Loaded, DatabaseFailed, UnknownTemplate };

    Outcome outcome = Outcome::Loaded;
    QString message;       // why it failed, with the file's path
    printing::PrintRequest request;  // header values, date, signatory, copies and used cells as a new window has them
    bool tractor = false;  // the shop's label stock, as the print command reads it
    QString templateTitle;  // the template's title as stored
    QString logoFile;       // the template's logo file, empty for none
    // The shop's signatory named as asked, letter case aside; nothing when none is.
    std::optional<store::SignatoryProfile> signatory;
};

// `templateTitle`, letter case ignored; without one the default template (DefLabel), or the
// first template in store order when that names none. `programFolder` stands in for a
// missing DataPath, as at start-up. `signatory` names the profile to look up, if any.
StartupSnapshot loadStartupSnapshot(const QString& setupPath,
                                    const std::optional<QString>& templateTitle,
                                    const QString& programFolder,
                                    const QString& signatory = QString());

}  // namespace tagwright::cli
