#pragma once

#include "store/StoreError.h"

#include <QString>
#include <QVariant>

#include <array>

namespace tagwright::store {
class TableCursor;
}

namespace tagwright::session {

// A template's values besides its title and body: what the display steps show and Save
// writes, with every missing field read as its default.
struct TemplateValues {
    QString fontName;
    float fontSize = 0;  // points
    bool bold = false;
    bool italic = false;
    QString logo;  // the logo file's path, empty without one
    bool printsCompany = false;
    bool printsSignature = false;
    // In header order: Reg #, Make, Serial (left column), Tach, T.T., SMOH (right column).
    std::array<QString, 6> captions;

    // The values of the record the cursor stands on (or is adding or editing).
    static TemplateValues read(const store::TableCursor& templates);
    // Sets all thirteen fields into the cursor's pending record, changed or not.
    store::StoreError setInto(store::TableCursor& templates) const;

    bool operator==(const TemplateValues&) const = default;
};

}  // namespace tagwright::session
