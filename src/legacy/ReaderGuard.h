#pragma once

#include <QString>

namespace tagwright::legacy {

// libmdb is C that was never built for hostile files: a damaged page can make it read out
// of bounds, loop or allocate without end. While a command line process reads an Access
// file, this guard turns a crash, a hang past a time limit or an exhausted memory limit into
// the one-line message and exit status 1 every other damaged file gets. Nothing is written
// while it is up, so nothing is left behind. One guard at a time, in a process that ends
// soon after (the command line), never in the window.
class ReaderGuard {
public:
    ReaderGuard(const QString& path, int seconds);
    ~ReaderGuard();
    // A time limit for reading `path`: generous for a shop's files (the largest known reads
    // in well under a second), short enough that a reader caught in a loop gives up soon.
    static int secondsFor(const QString& path);

    // The file the message names from now on.
    void reading(const QString& path);
    ReaderGuard(const ReaderGuard&) = delete;
    ReaderGuard& operator=(const ReaderGuard&) = delete;
};

}  // namespace tagwright::legacy
