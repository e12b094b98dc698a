#pragma once

#include <QString>

namespace tagwright::printing {

struct LabelContent;

// What a maintenance record needs and a label lacks: the certificate number of the signatory
// it names under the signature line, and the date.
struct MissingFacts {
    QString signatory;          // named without a certificate number; empty when none is
    bool date = false;

    bool any() const { return !signatory.isEmpty() || date; }
    // "This label names Walk In without a certificate number and has no date."; empty when
    // nothing is missing.
    QString message() const;
};

MissingFacts missingFacts(const LabelContent& label);

}  // namespace tagwright::printing
