#pragma once

#include <QString>

namespace tagwright::journal {

// One of the shop's aircraft as its labels last described it.
struct Aircraft {
    qint64 id = -1;
    QString registration;
    QString make;
    QString serial;
    QString tach;
    QString totalTime;
    QString sinceOverhaul;
    QString timesDate;   // the label date the times were printed with
    qint64 lastEntry = -1;
    // The newest entry whose label gave another make or serial, until a correction settles
    // it; -1 for none.
    qint64 disagreeingEntry = -1;
};

}  // namespace tagwright::journal
