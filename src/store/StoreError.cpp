#include "StoreError.h"

#include "ServerAddress.h"

namespace tagwright::store {

QString StoreError::describe() const
{
    if (path.isEmpty())
        return message;
    if (isServerAddress(path))
        return QStringLiteral("%1\n\nServer: %2").arg(message, path);
    return QStringLiteral("%1\n\nFile: %2").arg(message, path);
}

}  // namespace tagwright::store
