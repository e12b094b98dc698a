#pragma once

#include "PrintRequest.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace tagwright::printing {

// What a print command did, for the window (or the command line) to act on.
struct PrintResult {
    enum class Status {
        Printed,  // composed to the end (copies reading 0 or less print nothing and land here)
        Refused,  // refused before anything was printed; `message` says why
        Failed,   // abandoned after repeated printer errors; jobs already sent stay sent
    };

    Status status = Status::Printed;
    int errorNumber = 0;
    QString message;
    // Header values filled with underscores; the window shows them afterwards.
    QVector<ValueFill> filled;
    // Captions of header values too long for their places even condensed to 6 points, each
    // once: they printed over their neighbour or past the rule's end.
    QStringList overlong;
    int jobsSent = 0;
    // Laser sheets: the cells of the last sheet that took a label or a body running on.
    UsedCells lastSheetCells;

    bool printed() const { return status == Status::Printed; }
};

}  // namespace tagwright::printing
