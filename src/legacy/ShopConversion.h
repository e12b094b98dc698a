#pragma once

#include "AccessImport.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tagwright::legacy {

// `tagwright-cli convert`: moves a shop from its Access files to Tagwright databases in
// place. The setup file, then the main file its DataPath names, each only when it is an
// Access file. Everything is read and written under temporary names first; only when both
// new files are on the disk are they swapped in, each original kept beside it.
struct ConversionRequest {
    QString setupPath;                 // "SetupTGW.MDB" in the working folder by default
    std::optional<QString> dataPath;   // --data-path: the folder that holds "QUILLON.MDB"
};

struct ConversionReport {
    enum Exit { Done = 0, Failed = 1, Refused = 2 };

    Exit exit = Done;
    QString error;        // one message naming the path, when not Done
    QStringList lines;    // what was converted, where the originals went

    bool ok() const { return exit == Done; }
};

// Called before each Access file is read, with its path, as rows are read, and once all
// reading is done, before the first byte is written.
struct ConversionProgress {
    std::function<void(const QString& path)> reading;
    ReadProgress rows;
    std::function<void()> writing;
};

ConversionReport convertShopFiles(const ConversionRequest& request,
                                  const ConversionProgress& progress = {});

}  // namespace tagwright::legacy
