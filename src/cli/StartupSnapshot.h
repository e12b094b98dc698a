#pragma once

#include "printing/PrintRequest.h"
#include "store/Database.h"

#include <QString>

#include <optional>

namespace tagwright::cli {

// The window's fields as start-up and the first display of a template leave them, read
// from the two database files without writing to either.
struct StartupSnapshot {
    enum class Outcome { Loaded, DatabaseFailed, UnknownTemplate };

    Outcome outcome = Outcome::Loaded;
    QString message;       // why it failed, with the file's path
    // Header values, date, signatory, copies and used cells as a new window has them; the
    // shop's label stock as the print command reads it.
    printing::PrintRequest request;
    QString templateTitle;  // the template's title as stored
    QString logoFile;       // the template's logo file, empty for none
};

// `templateTitle`, letter case ignored; without one the default template (DefLabel), or the
// first template in store order when that names none. `programFolder` stands in for a
// missing DataPath, as at start-up. Read through `main`, which stays open: opened for
// writing, the command records its label in the journal on the same connection.
StartupSnapshot loadStartupSnapshot(const QString& setupPath,
                                    const std::optional<QString>& templateTitle,
                                    const QString& programFolder, store::Database& main,
                                    store::Database::Access access);

}  // namespace tagwright::cli
