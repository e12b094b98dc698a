#include "Completeness.h"

#include "PrintRequest.h"

namespace tagwright::printing {

MissingFacts missingFacts(const LabelContent& label)
{
    MissingFacts missing;
    const QString name = label.signatory.trimmed();
    if (label.printsSignature && !name.isEmpty() && label.certificateNumber.trimmed().isEmpty())
        missing.signatory = name;
    missing.date = label.date.trimmed().isEmpty();
    return missing;
}

QString MissingFacts::message() const
{
    const QString certificate = QStringLiteral("names %1 without a certificate number").arg(signatory);
    if (!signatory.isEmpty() && date)
        return QStringLiteral("This label %1 and has no date.").arg(certificate);
    if (!signatory.isEmpty())
        return QStringLiteral("This label %1.").arg(certificate);
    return date ? QStringLiteral("This label has no date.") : QString();
}

}  // namespace tagwright::printing
