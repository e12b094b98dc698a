#include "LogoPreview.h"

#include "printing/LogoPicture.h"

namespace tagwright::setup {

QImage readLogoPicture(const QString& path)
{
    return printing::LogoPicture::load(path);
}

}  // namespace tagwright::setup
