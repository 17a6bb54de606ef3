// The readouts: centre (the mean), maximum, minimum, in the chosen frame, and what they
// do to the move fields.
#include <array>
#include <limits>

#include "geometry/readouts.h"
#include "tests/geometry/station_fixture.h"

namespace {

// The measure itself, on the stand-in document through its port.
class MeasureTest : public GeometryTest {
 protected:
  // An object whose vertices are all selected, made the current one.
  void SelectedCurrentObject(std::initializer_list<standin::Vertex> vertices) {
    doc_->currentObject = doc_->AddObject("o", vertices);
    doc_->SelectAllVertices(doc_->currentObject);
  }
  SelectionReadouts Measure(bool inGlobal = true) {
    Snapshot();
    SelectionReadouts readouts = {};
    EXPECT_TRUE(MeasureSelection(Doc(), snapshot_, inGlobal, &readouts));
    return readouts;
  }
  static std::array<float, 3> Of(Point3 p) { return {p.x, p.y, p.z}; }
};

// The running sum is rounded to float after every addition, in walk order: 1e8 + 1 and
// -3 + 1e8 are both 1e8 as floats, so the small values are lost and the centre's x and
// z are 0. A sum kept in double would give 1/3 and -1.
TEST_F(MeasureTest, CentreOfMixedMagnitudesRoundsTheSumAtEveryStep) {
  SelectedCurrentObject({{1e8f, 0.25f, -3}, {1, 0.5f, 1e8f}, {-1e8f, 0.25f, -1e8f}});
  const SelectionReadouts r = Measure();
  EXPECT_EQ(Of(r.centre), (std::array<float, 3>{0, static_cast<float>(1.0 / 3.0f), 0}));
  EXPECT_EQ(Of(r.max), (std::array<float, 3>{1e8f, 0.5f, 1e8f}));
  EXPECT_EQ(Of(r.min), (std::array<float, 3>{-1e8f, 0.25f, -1e8f}));
}

// A coordinate that is not a number is greater and smaller than nothing: it never
// replaces a running maximum or minimum, so the other vertices' bounds still show.
TEST_F(MeasureTest, ACoordinateThatIsNotANumberLeavesTheBoundsOfTheOthers) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  SelectedCurrentObject({{0, 0, 0}, {nan, 7, 1}, {2, -1, -1}, {-3, nan, 0}});
  const SelectionReadouts r = Measure();
  EXPECT_EQ(Of(r.max), (std::array<float, 3>{2, 7, 1}));
  EXPECT_EQ(Of(r.min), (std::array<float, 3>{-3, -1, -1}));
}

TEST_F(MeasureTest, NothingSelectedMeasuresZerosAndNoCurrentObjectNothing) {
  doc_->currentObject = doc_->AddObject("o", {{4, 4, 4}});
  const SelectionReadouts r = Measure(false);
  EXPECT_EQ(Of(r.centre), (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(Of(r.max), (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(Of(r.min), (std::array<float, 3>{0, 0, 0}));
  doc_->currentObject = -1;
  SelectionReadouts untouched = {{9, 9, 9}, {9, 9, 9}, {9, 9, 9}};
  EXPECT_FALSE(MeasureSelection(Doc(), snapshot_, true, &untouched));
  EXPECT_EQ(Of(untouched.centre), (std::array<float, 3>{9, 9, 9}));
}

// The readouts on the panel.
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
