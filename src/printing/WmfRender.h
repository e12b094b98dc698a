#pragma once

// No Qt here: libwmf's headers define U8/U16/S16/U32/S32, which break Qt's.

#include <cstddef>
#include <vector>

namespace tagwright::printing::wmf {

// Renders a Windows metafile held in memory to PNG bytes at the size it has on a 96 dpi
// display: its placeable header's frame (the size the drawing was made for, not the box its
// strokes happen to cover). Returns false for anything that is not a complete metafile;
// a truncated or garbage file never reaches the player.
bool renderToPng(const unsigned char* data, std::size_t size, std::vector<unsigned char>& png);

}  // namespace tagwright::printing::wmf
