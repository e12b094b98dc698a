#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tagwright::startup {

// The shop's databases as the earlier program left them: Access files. Before anything is
// opened the window asks whether to convert them; the conversion itself runs in a child
// process (`tagwright-cli convert`), so a damaged file that upsets the Access reader cannot
// take the window down.
struct AccessFilesFound {
    QString setupPath;        // "SetupTGW.MDB" in the working folder
    bool setupIsAccess = false;
    QString mainPath;         // "QUILLON.MDB" where DataPath points, when the setup file tells
    bool mainIsAccess = false;

    bool any() const { return setupIsAccess || mainIsAccess; }
};

// Looks only at file headers (and, for a Tagwright setup file, at its DataPath); changes
// nothing. `defaultFolder` stands in for a missing DataPath, as at start-up.
AccessFilesFound findAccessFiles(const QString& workingFolder, const QString& defaultFolder);

// The question: which file, that it comes from an earlier program, that it will be
// converted and where the original is kept.
QString conversionQuestion(const AccessFilesFound& found);

// How the child process ended.
struct ConversionRun {
    bool started = false;
    int exitCode = -1;
    bool crashed = false;
    QString errorText;   // the child's stderr
};

// The dialogs of the step, behind a seam so tests answer them without a modal loop.
class ConversionDialogs {
public:
    virtual ~ConversionDialogs() = default;
    // True for Convert, false for Quit.
    virtual bool askToConvert(const QString& question) = 0;
    // Runs `program` with `arguments` in `workingFolder`, showing its progress.
    virtual ConversionRun runWithProgress(const QString& program, const QStringList& arguments,
                                          const QString& workingFolder) = 0;
    virtual void showFailure(const QString& text) = 0;
    // The setup file names a folder that is not one here (a Windows path): the folder that
    // holds QUILLON.MDB, or an empty text when the user gives up. `why` says what is missing.
    virtual QString chooseDataFolder(const QString& why, const QString& startFolder) = 0;
};

// The real ones: a message box with Convert and Quit, and a progress dialog fed by the
// child's "progress DONE TOTAL" lines.
class QtConversionDialogs : public ConversionDialogs {
public:
    bool askToConvert(const QString& question) override;
    ConversionRun runWithProgress(const QString& program, const QStringList& arguments,
                                  const QString& workingFolder) override;
    void showFailure(const QString& text) override;
    QString chooseDataFolder(const QString& why, const QString& startFolder) override;
};

enum class ConversionChoice {
    NothingToConvert,   // start as usual
    Converted,          // start as usual, on the new files
    Quit,               // the user chose Quit: nothing changed
    Failed,             // the conversion failed and said why: nothing changed
};

// The whole step. `cliProgram` is tagwright-cli beside the window's own executable.
ConversionChoice offerConversion(const QString& workingFolder, const QString& defaultFolder,
                                 const QString& cliProgram, ConversionDialogs& dialogs);

}  // namespace tagwright::startup
