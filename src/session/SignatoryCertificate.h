#pragma once

#include "store/StoreError.h"

namespace tagwright::printing {
struct LabelContent;
}

namespace tagwright::store {
class SignatoryStore;
}

namespace tagwright::session {

// Gives a label the certificate of the shop's signatory it names: when a signatory of the
// shop has that name (letter case ignored), the label takes the name as stored and the kind
// and number of the certificate. A name without a profile, and an empty one, stay as they
// are, with no certificate.
store::StoreError addSignatoryCertificate(const store::SignatoryStore& signatories,
                                          printing::LabelContent& label);

}  // namespace tagwright::session
