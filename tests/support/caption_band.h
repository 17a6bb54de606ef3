// Where a group box's caption can stand, in dialog units, worked out from the layout
// table alone: the strip at the top of the box from its left edge to the end of the
// widest text its label could make.
#pragma once

#include <algorithm>

#include "panel/layout.h"

namespace caption_band {

// A line of the dialog font is 8 vertical dialog units (they are eighths of its height).
constexpr int kHeight = 8;
// The caption stands a few pixels in from the frame's left edge; 8 units is more.
constexpr int kIndent = 8;
// Horizontal units are quarters of the font's average width, half a full-width
// character: no character of the font is wider than 8 of them.
constexpr int kWidestCharacter = 8;

// Characters, not bytes, of a UTF-8 label.
inline int CharacterCount(const char* utf8) {
  int count = 0;
  for (const char* c = utf8; *c != '\0'; ++c) {
    if ((static_cast<unsigned char>(*c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

inline DialogRect Of(const ControlSpec& box) {
  const int width = kIndent + kWidestCharacter * CharacterCount(box.label);
  return {box.rect.x, box.rect.y, static_cast<int16_t>(std::min<int>(box.rect.cx, width)),
          static_cast<int16_t>(kHeight)};
}

inline bool Overlap(const DialogRect& a, const DialogRect& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

// Whether the control paints anything inside the rectangle. A control paints its
// whole rectangle, background included, except a group box: it paints its caption
// and its frame (the top line halfway down the caption's line) and leaves its inside
// to what lies beneath.
inline bool PaintsInto(const ControlSpec& control, const DialogRect& area) {
  if (control.kind != ControlKind::kGroupBox) return Overlap(control.rect, area);
  const DialogRect& r = control.rect;
  const auto strip = [](int x, int y, int cx, int cy) {
    return DialogRect{static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(cx),
                      static_cast<int16_t>(cy)};
  };
  return Overlap(Of(control), area) || Overlap(strip(r.x, r.y + kHeight / 2, r.cx, 1), area) ||
         Overlap(strip(r.x, r.y, 1, r.cy), area) ||
         Overlap(strip(r.x + r.cx - 1, r.y, 1, r.cy), area) ||
         Overlap(strip(r.x, r.y + r.cy - 1, r.cx, 1), area);
}

}  // namespace caption_band
