// The headless panel writes a value field only when its text changes, as the Windows
// panel does, and counts the writes: a refresh of an unchanged document writes
// nothing, a change writes exactly the fields whose text changed, and text a person
// typed is replaced wherever a refresh must replace it.
#include <string>
#include <vector>

#include "tests/geometry/station_fixture.h"

namespace {

constexpr int kReadouts[] = {ctl::kCentreX,    ctl::kCentreY, ctl::kCentreZ, ctl::kMaxX,
                             ctl::kMaxY,       ctl::kMaxZ,    ctl::kMinX,    ctl::kMinY,
                             ctl::kMinZ,       ctl::kMoveX,   ctl::kMoveY,   ctl::kMoveZ,
                             ctl::kTotalLength};

class FieldWriteTest : public StationTest {
 protected:
  void SetUp() override {
    StationTest::SetUp();
    object_ = SelectedObject({{1, 2, 3}, {3, 4, 5}, {-1, 0, 7}});
    doc_->currentObject = object_;
  }
  void Refresh() { MQOnEvent(doc_->Handle(), event::kEvent210, nullptr); }
  long WritesDuringRefresh() {
    const long before = panel_->FieldWrites();
    Refresh();
    return panel_->FieldWrites() - before;
  }
  std::vector<std::string> ReadoutTexts() {
    std::vector<std::string> texts;
    for (int id : kReadouts) texts.push_back(Text(id));
    return texts;
  }
  int object_ = -1;
};

TEST_F(FieldWriteTest, AnUnchangedRefreshWritesNothingInEitherValueMode) {
  Refresh();
  EXPECT_EQ(WritesDuringRefresh(), 0);
  EXPECT_EQ(Texts(kCentre), "1.000 2.000 5.000");

  // Absolute mode also writes the centre into the move fields on every refresh.
  panel_->Click(ctl::kAbsolute);
  EXPECT_EQ(Texts(kMove), "1.000 2.000 5.000");
  EXPECT_EQ(WritesDuringRefresh(), 0);

  panel_->Click(ctl::kLocal);
  EXPECT_EQ(WritesDuringRefresh(), 0);
}

TEST_F(FieldWriteTest, AChangeWritesExactlyTheFieldsWhoseTextChanged) {
  panel_->Click(ctl::kAbsolute);
  Refresh();
  const std::vector<std::string> before = ReadoutTexts();
  // Only x of the vertex with the largest x moves: centre X, max X and move X change.
  doc_->ObjectAt(object_)->vertices[1].x = 6;
  const long writes = WritesDuringRefresh();
  const std::vector<std::string> after = ReadoutTexts();
  long changed = 0;
  for (size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i];
  EXPECT_EQ(changed, 3);
  EXPECT_EQ(writes, changed);
  EXPECT_EQ(Text(ctl::kMaxX), "6.000");
}

TEST_F(FieldWriteTest, TypedTextIsReplacedWhereARefreshMustReplaceIt) {
  // Absolute mode: every refresh puts the centre into the move fields, over typing.
  panel_->Click(ctl::kAbsolute);
  panel_->Click(ctl::kMoveX);
  panel_->Type(ctl::kMoveX, '9');
  ASSERT_NE(Text(ctl::kMoveX), "1.000");
  Refresh();
  EXPECT_EQ(Text(ctl::kMoveX), "1.000");

  // Typing back exactly what the refresh writes leaves nothing to write.
  panel_->SetText(ctl::kMoveY, "2.000");
  EXPECT_EQ(WritesDuringRefresh(), 0);

  // Relative mode: choosing it resets the move fields to 0.000 over typed text; a
  // refresh without the reset leaves typing alone.
  panel_->Click(ctl::kRelative);
  SetTexts(kMove, "0.00", "7", "0.000");
  panel_->Click(ctl::kRelative);
  EXPECT_EQ(Texts(kMove), "0.000 0.000 0.000");
  panel_->SetText(ctl::kMoveZ, "4");
  Refresh();
  EXPECT_EQ(Text(ctl::kMoveZ), "4");
}

}  // namespace
