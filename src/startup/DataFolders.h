#pragma once

#include <QString>

namespace tagwright::startup {

// The folder that holds the program's executable.
QString programFolder();

// Where a missing DataPath points: the program folder, or the user's application data
// folder when the program folder is not writable (an installed program).
QString defaultDataFolder(const QString& programFolder);

// True when `dataPath` names `folder` (separators, a trailing separator and "." or ".."
// parts aside).
bool isSameFolder(const QString& dataPath, const QString& folder);

}  // namespace tagwright::startup
