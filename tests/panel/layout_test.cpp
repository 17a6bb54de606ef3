// What the layout table promises about painting: a group box's caption is never
// painted over by a control that reaches into it.
#include "panel/layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/control_ids.h"
#include "tests/support/caption_band.h"

namespace {

TEST(PanelLayoutTest, ACaptionIsReachedOnlyByControlsClippedBeneathItsBox) {
  int boxes = 0;
  for (const ControlSpec& box : kPanelControls) {
    if (box.kind != ControlKind::kGroupBox) continue;
    ++boxes;
    const DialogRect band = caption_band::Of(box);
    for (const ControlSpec& control : kPanelControls) {
      if (&control == &box || !caption_band::PaintsInto(control, band)) continue;
      SCOPED_TRACE("control " + std::to_string(&control - kPanelControls) + " (\"" + control.label +
                   "\") reaches into the caption \"" + box.label + "\"");
      // Such a control must be clipped against the siblings stacked above it, and
      // siblings stack in template order, the first on top: the box must come first.
      EXPECT_NE(control.flags & kClipsSiblings, 0);
      EXPECT_LT(&box, &control);
    }
  }
  EXPECT_GT(boxes, 0);
}

// A label's width is counted in characters: counted in bytes, a Japanese caption's
// band would come out three times as wide as the caption.
TEST(PanelLayoutTest, CaptionBandsCountCharactersNotBytes) {
  EXPECT_EQ(caption_band::CharacterCount("移動"), 2);
  EXPECT_EQ(caption_band::CharacterCount("Local座標系保存"), 10);
  EXPECT_EQ(caption_band::CharacterCount(""), 0);
}

// Only the six fields a person types numbers into go without an input method; the
// read-only fields and every other control keep theirs.
TEST(PanelLayoutTest, TheTypedFieldsAloneGoWithoutAnInputMethod) {
  std::vector<int> ids;
  for (const ControlSpec& control : kPanelControls) {
    if (TypedWithoutInputMethod(control.kind)) ids.push_back(control.id);
  }
  EXPECT_EQ(ids, (std::vector<int>{ctl::kRotateX, ctl::kRotateY, ctl::kRotateZ, ctl::kMoveX,
                                   ctl::kMoveY, ctl::kMoveZ}));
}

}  // namespace
