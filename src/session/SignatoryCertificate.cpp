#include "SignatoryCertificate.h"

#include "printing/PrintRequest.h"
#include "store/SignatoryProfiles.h"

#include <optional>

namespace tagwright::session {

store::StoreError addSignatoryCertificate(store::Database& shop, printing::LabelContent& label)
{
    label.certificateKind.clear();
    label.certificateNumber.clear();
    if (label.signatory.isEmpty())
        return {};
    std::optional<store::SignatoryProfile> profile;
    if (store::StoreError error = store::SignatoryProfiles(shop).find(label.signatory, profile); !error.ok())
        return error;
    if (profile) {
        label.signatory = profile->name;
        label.certificateKind = profile->certificateKind;
        label.certificateNumber = profile->certificateNumber;
    }
    return {};
}

}  // namespace tagwright::session
