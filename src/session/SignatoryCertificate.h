#pragma once

#include "store/StoreError.h"

namespace tagwright::printing {
struct LabelContent;
}

namespace tagwright::store {
class Database;
}

namespace tagwright::session {

// Gives a label the certificate of the shop's signatory it names: when a signatory of the
// shop has that name (letter case ignored), the label takes the name as stored and the kind
// and number of the certificate. A name without a profile, and an empty one, stay as they
// are, with no certificate. Every print path asks this of the label it is about to print.
store::StoreError addSignatoryCertificate(store::Database& shop, printing::LabelContent& label);

}  // namespace tagwright::session
