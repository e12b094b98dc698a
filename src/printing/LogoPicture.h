#pragma once

#include "PictureDecoder.h"

#include <QImage>
#include <QString>

namespace tagwright::printing {

// The logo as the window shows it and the label prints it: a 37 x 37 pixel box with a light
// grey background (the colour printing leaves out), the picture at its top left corner at its
// natural pixel size, or scaled down to fit, keeping its proportions, when it is larger.
class LogoPicture {
public:
    static constexpr int BoxSide = 37;

    // The picture of a BMP, ICO, PNG, JPEG or WMF file at its natural size in pixels, whatever
    // resolution the file declares (a metafile at its frame's size on a 96 dpi display). A
    // missing, truncated or unreadable file gives a null image. Qt's own readers run here under
    // an allocation limit; metafiles go to `decoder`, by default the guarded helper process.
    static QImage load(const QString& path, const PictureDecoder& decoder = guardedDecoder());

    // The box's pixels for a picture; a null picture gives a null box (no logo).
    static QImage boxPixels(const QImage& picture);

    // load() then boxPixels(): what the window's logo box shows and the label prints.
    static QImage boxPixelsFromFile(const QString& path,
                                    const PictureDecoder& decoder = guardedDecoder())
    {
        return boxPixels(load(path, decoder));
    }

    // Whether the file is drawn by the metafile decoder (by its name or its first bytes),
    // which may take a while: the window decodes those away from its own thread.
    static bool isMetafile(const QString& path);
};

}  // namespace tagwright::printing
