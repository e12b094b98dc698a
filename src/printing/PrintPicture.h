#pragma once

#include <QImage>

#include <functional>

namespace tagwright::printing {

class JobSteps;
class PrinterSurface;

// The light grey that counts as transparent in a logo: such pixels are not printed.
inline constexpr quint32 TransparentGrey = 0xC0C0C0;

// Prints the logo box's pixels with their top left corner at (labelX, labelY) twips: one
// filled box of one display pixel's size per pixel, light grey pixels left out, so the logo
// comes out on paper at the size it has on the screen. A surface that draws pictures whole
// gets the boxes as one picture. `rowDone` runs after each row, or once after the whole
// picture (the window lets waiting events run there).
void PrintPicture(JobSteps& steps, PrinterSurface& surface, const QImage& box, int labelX,
                  int labelY, const std::function<void()>& rowDone = {});

}  // namespace tagwright::printing
