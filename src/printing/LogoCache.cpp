#include "LogoCache.h"

#include "LogoPicture.h"

#include <QFileInfo>

namespace tagwright::printing {

QImage LogoCache::boxPixels(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo file(path);
    if (!file.exists()) {
        m_decoded.remove(path);
        return {};
    }
    const auto known = m_decoded.constFind(path);
    if (known != m_decoded.cend() && known->modified == file.lastModified() && known->size == file.size())
        return known->pixels;
    Decoded decoded{file.lastModified(), file.size(), LogoPicture::boxPixelsFromFile(path, m_decoder)};
    m_decoded.insert(path, decoded);
    return decoded.pixels;
}

}  // namespace tagwright::printing
