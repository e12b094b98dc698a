#include "StoreError.h"

namespace tagwright::store {

QString StoreError::describe() const
{
    if (path.isEmpty())
        return message;
    return QStringLiteral("%1\n\nFile: %2").arg(message, path);
}

}  // namespace tagwright::store
