// Where the panel goes when it opens: centred on its owner, or on the work area
// when the owner cannot serve as a reference, and kept inside the work area.
// Plain arithmetic, free of Win32 types, so both builds can test it.
#pragma once

struct ScreenRect {
  int left, top, right, bottom;
};

struct ScreenPoint {
  int x, y;
};

// Top-left corner for a panel of width by height. reference is the owner's window
// rectangle, or null when there is no usable owner (then the work area is the
// reference). Halves are truncated toward zero. When the panel is larger than the
// area, its left and top edges stay inside.
ScreenPoint CentrePanel(const ScreenRect* reference, const ScreenRect& workArea, int width,
                        int height);
