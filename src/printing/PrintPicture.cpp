#include "PrintPicture.h"

#include "JobSteps.h"
#include "PrinterSurface.h"

namespace tagwright::printing {

void PrintPicture(JobSteps& steps, PrinterSurface& surface, const QImage& box, int labelX,
                  int labelY, const std::function<void()>& rowDone)
{
    const QImage pixels = box.convertToFormat(QImage::Format_RGB32);
    if (surface.drawsPictures()) {
        // The same boxes in one piece: the light grey is the picture's transparent colour.
        QImage picture = pixels.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                if ((row[x] & 0xFFFFFF) == TransparentGrey)  // alike in either byte order
                    row[x] = 0;
            }
        }
        steps([&] { surface.Picture(float(labelX), float(labelY), picture); });
        if (rowDone)
            rowDone();
        return;
    }
    const float px = surface.TwipsPerPixelX();
    const float py = surface.TwipsPerPixelY();
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb rgb = row[x];
            const Colour colour = Colour(qRed(rgb)) | Colour(qGreen(rgb)) << 8
                | Colour(qBlue(rgb)) << 16;
            if (colour == TransparentGrey)
                continue;
            steps([&] {
                surface.FilledBox(float(labelX) + float(x) * px, float(labelY) + float(y) * py,
                                  px, py, colour);
            });
        }
        if (rowDone)
            rowDone();
    }
}

}  // namespace tagwright::printing
