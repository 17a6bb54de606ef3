// Control IDs of the panel by the name of what they hold or do: ctl::kMoveX for the
// row named MoveX of the layout table, panel/layout_table.inc, with the number
// written there.
#pragma once

namespace ctl {
#define NAMED_CONTROL(name, id, kind, label, x, y, width, height, flags) \
  inline constexpr int k##name = id;
#define UNNAMED_CONTROL(kind, label, x, y, width, height, flags)
#include "panel/layout_table.inc"

// Commands without a control: the platform's OK and Cancel (the close box).
constexpr int kHideCommand = 1;
constexpr int kCloseCommand = 2;

// The seven paste buttons in the order the panel keeps and toggles them.
inline constexpr int kPasteButtons[7] = {kPasteXYZ, kPasteXY, kPasteXZ, kPasteYZ,
                                         kPasteX,   kPasteY,  kPasteZ};
}  // namespace ctl
