#pragma once

#include <QByteArray>
#include <QString>

namespace tagwright::cli {

// A file to write under exactly the name given on the command line. Qt reads and writes
// file names as UTF-8, so a name in another encoding (decodeArgument() keeps its bytes)
// would come out under a different name: then Qt writes a temporary file in the same
// folder, reached through the folder's descriptor, and commit() renames it to the exact
// bytes. Names Qt can spell are used as they are.
class ExactFileName {
public:
    explicit ExactFileName(const QString& argument);
    ~ExactFileName();  // removes the temporary file when commit() did not run or failed
    ExactFileName(const ExactFileName&) = delete;
    ExactFileName& operator=(const ExactFileName&) = delete;

    // False when the name's folder cannot be opened: then there is nowhere to write.
    bool usable() const { return !m_pathForQt.isEmpty(); }
    // Whether a symbolic link (dangling or not) stands under the exact name: writing there
    // is refused, never done through it.
    bool isLink() const;
    // Where Qt is to write the file.
    QString pathForQt() const { return m_pathForQt; }
    // Puts the written file (if any was written) in place under its name; false when it
    // cannot.
    bool commit();

private:
    QByteArray m_bytes;         // the name as given
    QString m_pathForQt;
    int m_folder = -1;          // descriptor of the folder, when a rename is needed
    QByteArray m_name;          // the file's exact name in that folder
    QByteArray m_temporaryName;
    bool m_committed = false;
};

}  // namespace tagwright::cli
