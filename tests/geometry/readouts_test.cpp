// The readouts: centre (the mean), maximum, minimum, in the chosen frame, and what they
// do to the move fields.
#include <limits>

#include "tests/geometry/station_fixture.h"

namespace {

using ReadoutsTest = StationTest;

TEST_F(ReadoutsTest, CentreIsTheMeanAndBoundsArePerAxis) {
  const int o = SelectedObject({{0, 0, 0}, {0, 5, 0}, {3, 0, -1}});
  doc_->AddVertex(o, 100, 100, 100);  // not selected
  doc_->currentObject = o;
  Run(&GridshiftPlugin::UpdateReadouts);
  EXPECT_EQ(Texts(kCentre), "1.000 1.667 -0.333");
  EXPECT_EQ(Texts(kMax), "3.000 5.000 0.000");
  EXPECT_EQ(Texts(kMin), "0.000 0.000 -1.000");
}

// The running sum is rounded to float after every addition, in walk order: 1e8 + 1 and
// -3 + 1e8 are both 1e8 as floats, so the small values are lost and the centre's x and
// z are 0. A sum kept in double would show 0.333 and -1.000.
TEST_F(ReadoutsTest, CentreOfMixedMagnitudesRoundsTheSumAtEveryStep) {
  doc_->currentObject = SelectedObject({{1e8f, 0.25f, -3}, {1, 0.5f, 1e8f}, {-1e8f, 0.25f, -1e8f}});
  Run(&GridshiftPlugin::UpdateReadouts);
  EXPECT_EQ(Texts(kCentre), "0.000 0.333 0.000");
  EXPECT_EQ(Texts(kMax), "100000000.000 0.500 100000000.000");
  EXPECT_EQ(Texts(kMin), "-100000000.000 0.250 -100000000.000");
}

// A coordinate that is not a number is greater and smaller than nothing: it never
// replaces a running maximum or minimum, so the other vertices' bounds still show.
TEST_F(ReadoutsTest, ACoordinateThatIsNotANumberLeavesTheBoundsOfTheOthers) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  doc_->currentObject = SelectedObject({{0, 0, 0}, {nan, 7, 1}, {2, -1, -1}, {-3, nan, 0}});
  Run(&GridshiftPlugin::UpdateReadouts);
  EXPECT_EQ(Texts(kMax), "2.000 7.000 1.000");
  EXPECT_EQ(Texts(kMin), "-3.000 -1.000 -1.000");
}

TEST_F(ReadoutsTest, LocalValuesOfEveryObjectUseTheCurrentObjectsInverse) {
  SelectedObject({{11, 0, 0}});
  const int current = SelectedObject({{13, 2, 0}});
  doc_->SetGlobalMatrix(current, standin::Translation(10, 0, 0));
  doc_->currentObject = current;
  panel_->Click(ctl::kLocal);
  EXPECT_EQ(Texts(kCentre), "2.000 1.000 0.000");
  EXPECT_EQ(Texts(kMax), "3.000 2.000 0.000");
  EXPECT_EQ(Texts(kMin), "1.000 0.000 0.000");
  panel_->Click(ctl::kGlobal);
  EXPECT_EQ(Texts(kCentre), "12.000 1.000 0.000");
}

TEST_F(ReadoutsTest, ValueModeRadiosFillOrClearTheMoveFields) {
  doc_->currentObject = SelectedObject({{1, 2, 3}});
  SetTexts(kMove, "7", "8", "9");
  Run(&GridshiftPlugin::UpdateReadouts);  // relative, no reset: typed vector stays
  EXPECT_EQ(Texts(kMove), "7 8 9");
  panel_->Click(ctl::kLocal);  // the frame radios keep a typed vector too
  panel_->Click(ctl::kGlobal);
  EXPECT_EQ(Texts(kMove), "7 8 9");
  panel_->Click(ctl::kAbsolute);
  EXPECT_EQ(Texts(kMove), "1.000 2.000 3.000");
  panel_->Click(ctl::kRelative);
  EXPECT_EQ(Texts(kMove), "0.000 0.000 0.000");
}

TEST_F(ReadoutsTest, NothingSelectedShowsZeros) {
  doc_->currentObject = doc_->AddObject("o", {{4, 4, 4}});
  panel_->Click(ctl::kAbsolute);
  EXPECT_EQ(Texts(kCentre) + " " + Texts(kMax) + " " + Texts(kMin) + " " + Texts(kMove),
            "0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000");
  EXPECT_EQ(Text(ctl::kTotalLength), "0.000");
}

TEST_F(ReadoutsTest, WithoutACurrentObjectEveryFieldKeepsItsText) {
  SelectedObject({{1, 2, 3}});
  SetTexts(kCentre, "a", "b", "c");
  panel_->SetText(ctl::kTotalLength, "d");
  Run(&GridshiftPlugin::UpdateReadouts);
  EXPECT_EQ(Texts(kCentre) + " " + Text(ctl::kTotalLength), "a b c d");
}

}  // namespace
