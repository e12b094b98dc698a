#include "SignatoryCertificate.h"

#include "printing/PrintRequest.h"
#include "store/SignatoryStore.h"

namespace tagwright::session {

store::StoreError addSignatoryCertificate(const store::SignatoryStore& signatories,
                                          printing::LabelContent& label)
{
    label.certificateKind.clear();
    label.certificateNumber.clear();
    if (label.signatory.isEmpty())
        return {};
    const auto found = signatories.find(label.signatory);
    if (!found)
        return found.error();
    if (const std::optional<store::SignatoryProfile>& profile = *found) {
        label.signatory = profile->name;
        label.certificateKind = profile->certificateKind;
        label.certificateNumber = profile->certificateNumber;
    }
    return {};
}

}  // namespace tagwright::session
