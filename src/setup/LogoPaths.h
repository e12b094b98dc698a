#pragma once

#include <QString>
#include <QStringList>

// Paths in the logo selection window. Folders are kept in Qt's form ("/" separators) and
// shown and handed to the template in the platform's own form.
namespace tagwright::setup::logopaths {

// The picture files the window offers, matched without regard to letter case.
QStringList pictureNameFilters();

// The folder part of a stored logo path, up to and including its last separator, in Qt's
// form; empty when the path has no separator.
QString folderOf(const QString& logoPath);

// The full path of `fileName` in `folder`, in the platform's form, with exactly one
// separator between them, also in a root folder ("/", "C:/").
QString join(const QString& folder, const QString& fileName);

// `folder` itself when it exists, else its nearest existing parent; empty when none does.
QString nearestExistingFolder(const QString& folder);

}  // namespace tagwright::setup::logopaths
