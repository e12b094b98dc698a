#pragma once

namespace tagwright::printing::sheet {

// Where the labels of a laser sheet start, in twips from the printable area's corner,
// before the print position adjustments are added.
inline constexpr int LeftColumnX = 50;
inline constexpr int RightColumnX = 6000;
inline constexpr int RowY[3] = {200, 4950, 9700};
// A body line whose top lies below its row's limit goes to the next free cell. The limit
// moves with the row's adjustment, so a label keeps its body room wherever it is moved.
inline constexpr float BodyLimit[3] = {4500, 9500, 14500};
// Both rules run from the label's left edge this far to the right.
inline constexpr int RuleWidth = 5600;

}  // namespace tagwright::printing::sheet
