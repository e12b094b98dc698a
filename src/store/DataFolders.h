#pragma once

#include <QString>

class QCoreApplication;

namespace tagwright::store {

// Where the setup database lives and what a missing DataPath means. Both programs ask this
// one function, so the window and tagwright-cli always open the same databases.
struct DataLocation {
    enum class Rule {
        SetupInWorkingFolder,  // a "SetupTGW.MDB" is in the working folder: it is used
        NotInstalled,          // run from its build or a shop folder: the working folder
        Installed,             // an installed program: the per-user data folder
    };

    Rule rule = Rule::NotInstalled;
    QString setupFolder;        // holds "SetupTGW.MDB", or will once the window creates it
    QString defaultDataFolder;  // a missing or empty DataPath names this folder

    QString setupPath() const;
    // One or two sentences for the information panel and support: which rule applied.
    QString explanation() const;
};

// A "SetupTGW.MDB" in `workingFolder` keeps its place (shops that start the program from
// their data folder). Otherwise a program run from where it was built keeps its databases
// in the working folder and beside itself, as it always has, and an installed one keeps
// them in the per-user data folder (QStandardPaths::AppDataLocation). Decides only: creates
// no folder.
DataLocation decideDataLocation(const QString& workingFolder, const QString& programFolder);

// True for a program in a system folder (/usr/bin, /usr/local/bin, /bin) or in any folder
// the user cannot write: then neither the program folder nor the menu's working folder (the
// home folder) is a place for its databases.
bool isInstalledProgram(const QString& programFolder);

// The organization and application names both programs run under: they pick the per-user
// data folder, so they must be the same in each.
void nameTheProgram(QCoreApplication& app);

// The folder that holds the program's executable.
QString programFolder();

// True when `dataPath` names `folder` (separators, a trailing separator and "." or ".."
// parts aside).
bool isSameFolder(const QString& dataPath, const QString& folder);

}  // namespace tagwright::store
