#pragma once

#include "Aircraft.h"

#include <QString>

#include <optional>

class QSqlRecord;

namespace tagwright::journal {

// A label whose make or serial differs from what the shop knows of its aircraft: the label
// prints what it was given, and the shop's aircraft keeps what it knows until a correction
// on the aircraft page says otherwise.
struct Disagreement {
    Aircraft known;
    QString make;     // as the label gives them; empty where it gives none
    QString serial;

    // "N005TW is known as Cessna 172N, 170005; this label says Beech A36, 170002"
    QString sentence() const;
};

// Where `make` or `serial`, as a label gives them, differ from `known`'s. Values left blank or
// as underscores, and values the aircraft does not know yet, never differ; nor do blanks and
// letter case ("CESSNA  172N" is Cessna 172N).
std::optional<Disagreement> disagreementWith(const Aircraft& known, const QString& make,
                                             const QString& serial);

// The same for a label and an aircraft as the journal's tables store them (copies between
// databases compare them so).
bool storedLabelDisagrees(const QSqlRecord& aircraft, const QSqlRecord& entry);

}  // namespace tagwright::journal
