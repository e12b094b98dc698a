#pragma once

#include <QString>

// Putting a finished file in its place so that a crash or a full disk at any moment leaves
// either the old state or the new one, never a half-written file under the real name.
namespace tagwright::legacy::placement {

// A name in `folder` for a file being written, not yet taken, that says whose it is.
QString temporaryName(const QString& folder, const QString& finalName);

// Forces the file's contents to the disk. False with `error` when it cannot.
bool flushFile(const QString& path, QString* error);

// Moves `written` to `target`, which must not exist (an existing one is never replaced).
bool placeNew(const QString& written, const QString& target, QString* error);

// Keeps `original` under `keptAs` (a new name, the same bytes: a second link when the file
// system allows, a flushed copy otherwise), then swaps `written` in under the original's
// name in one step. The original's bytes are never changed.
bool replaceKeeping(const QString& written, const QString& original, const QString& keptAs,
                    QString* error);

// `path` + ".access", or with a number when that name is taken: "QUILLON.MDB.2.access".
QString keptOriginalName(const QString& path);

}  // namespace tagwright::legacy::placement
