#pragma once

#include <QString>

namespace tagwright::legacy {

// What the first page of a file says about it. Access files are told by their header
// ("Standard Jet DB" / "Standard ACE DB" at byte 4), never by their name: shops rename them.
struct AccessHeader {
    enum class Format { NotAccess, Jet3, Jet4, Ace };

    Format format = Format::NotAccess;
    // A database password is set (the earlier program could not have opened such a file
    // without asking for it, and neither can we).
    bool hasPassword = false;
    // The file could not be read at all (missing, a folder, no permission).
    bool unreadable = false;

    bool isAccess() const { return format != Format::NotAccess; }
    QString formatName() const;
};

AccessHeader readAccessHeader(const QString& path);

inline bool isAccessFile(const QString& path)
{
    return readAccessHeader(path).isAccess();
}

}  // namespace tagwright::legacy
