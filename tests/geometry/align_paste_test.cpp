// The stored coordinate and the align buttons.
#include <string>

#include "tests/geometry/station_fixture.h"

namespace {

using AlignPasteTest = StationTest;

TEST_F(AlignPasteTest, LocalAlignWorksInTheCurrentObjectsFrameForEveryObject) {
  SelectedObject({{11, 1, 1}});
  const int current = SelectedObject({{12, 2, 2}, {13, 3, 3}});
  doc_->SetGlobalMatrix(current, standin::Translation(10, 0, 0));
  doc_->currentObject = current;
  panel_->Click(ctl::kLocal);
  EXPECT_EQ(Text(ctl::kCentreX), "2.000");
  Run(&GridshiftPlugin::AlignCentreX);
  EXPECT_EQ(At(0, 0), (standin::Vertex{12, 1, 1}));
  EXPECT_EQ(At(current, 1), (standin::Vertex{12, 3, 3}));
}

TEST_F(AlignPasteTest, ReadoutAlignsUseTheShownDecimalsStoredAlignsTheFullValue) {
  doc_->currentObject = SelectedObject({{0, 0, 1.23456f}});
  Run(&GridshiftPlugin::UpdateReadouts);
  Run(&GridshiftPlugin::AlignMinZ);
  EXPECT_EQ(At(0, 0).z, 1.235f);

  panel_->Click(ctl::kAbsolute);
  SetTexts(kMove, "0", "0.1234567", "0");
  Run(&GridshiftPlugin::CopyToStoredPoint);
  EXPECT_EQ(Texts(kStored), "0.000 0.123 0.000");
  Run(&GridshiftPlugin::AlignStoredY);
  EXPECT_EQ(At(0, 0).y, 0.1234567f);
}

TEST_F(AlignPasteTest, NoCurrentObjectOrAValueThatIsNotFiniteChangesNoVertex) {
  const int o = SelectedObject({{1, 2, 3}});
  Run(&GridshiftPlugin::AlignMaxX);  // no current object: max fields are still empty
  EXPECT_EQ(At(o, 0), (standin::Vertex{1, 2, 3}));
  EXPECT_EQ(Text(ctl::kMaxX), "");

  doc_->currentObject = o;
  Run(&GridshiftPlugin::UpdateReadouts);
  panel_->SetText(ctl::kCentreY, "inf");
  Run(&GridshiftPlugin::AlignCentreY);
  EXPECT_EQ(At(o, 0), (standin::Vertex{1, 2, 3}));
}

// A value that is finite in the local frame may leave the float range on its way back:
// such a vertex stays where it was rather than become infinite.
TEST_F(AlignPasteTest, APositionBeyondTheFloatRangeIsNotWritten) {
  const int o = SelectedObject({{1, 1, 1}});
  doc_->SetGlobalMatrix(o, {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1});
  doc_->currentObject = o;
  panel_->Click(ctl::kLocal);
  panel_->Click(ctl::kAbsolute);
  SetTexts(kMove, "3e38", "0", "0");
  panel_->Click(ctl::kCopy);
  panel_->Click(ctl::kAlignStoredX);
  EXPECT_EQ(At(o, 0), (standin::Vertex{1, 1, 1}));
}

// Frame coordinates of the three selected vertices, in walk order. Every component of
// every readout and of the stored coordinate differs from all the others, so a button
// that reads the wrong column or writes the wrong axis cannot land on the right number
// by accident; and the first vertex lies between the other two on every axis, so each
// running maximum and minimum has to be replaced once.
constexpr standin::Vertex kFramePoints[3] = {{2, -40, 500.5f}, {6.5f, -10, 200}, {1, -71, 800}};
// What the readouts show for them (the centre rounded to three decimals) and what is
// typed for the stored coordinate, whose fields show it rounded as well.
constexpr const char* kCentreShown[3] = {"3.167", "-40.333", "500.167"};
constexpr const char* kMaxShown[3] = {"6.500", "-10.000", "800.000"};
constexpr const char* kMinShown[3] = {"1.000", "-71.000", "200.000"};
constexpr const char* kStoredTyped[3] = {"7.2504", "-8.5006", "9.7502"};
constexpr const char* kStoredShown[3] = {"7.250", "-8.501", "9.750"};

// The local frame of the current object: a quarter turn about Z, then a shift. A frame
// point f lies at (10 - f.y, 20 + f.x, 30 + f.z), each coordinate rounded to float.
const standin::Matrix kQuarterTurnShifted = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 10, 20, 30, 1};
standin::Vertex FrameToGlobal(standin::Vertex f) {
  return {static_cast<float>(10.0 - f.y), static_cast<float>(20.0 + f.x),
          static_cast<float>(30.0 + f.z)};
}

std::string Joined(const std::string (&texts)[3]) {
  return texts[0] + " " + texts[1] + " " + texts[2];
}

class AlignButtonsTest : public StationTest {
 protected:
  // The three frame points (and an unselected vertex) in the chosen frame, the stored
  // coordinate copied from typed text, and the value mode chosen last.
  int Prepare(bool local, bool absolute) {
    doc_->Clear();
    const int o = doc_->AddObject("o");
    for (const standin::Vertex& f : kFramePoints) {
      const standin::Vertex v = local ? FrameToGlobal(f) : f;
      doc_->SelectVertex(o, doc_->AddVertex(o, v.x, v.y, v.z));
    }
    doc_->AddVertex(o, 99, 98, 97);
    if (local) doc_->SetGlobalMatrix(o, kQuarterTurnShifted);
    doc_->currentObject = o;
    panel_->Click(local ? ctl::kLocal : ctl::kGlobal);
    panel_->Click(ctl::kAbsolute);
    SetTexts(kMove, kStoredTyped[0], kStoredTyped[1], kStoredTyped[2]);
    panel_->Click(ctl::kCopy);
    if (!absolute) {
      panel_->Click(ctl::kRelative);
      SetTexts(kMove, "a", "b", "c");
    }
    return o;
  }
};

// Each align button, pressed on the panel, in both frames and both value modes: the
// one axis it names takes the value of its column in every selected vertex (readouts
// as shown, the stored coordinate at full precision); nothing else changes.
TEST_F(AlignButtonsTest, EveryButtonSetsItsAxisToItsColumnsValue) {
  const float centre[3] = {3.167f, -40.333f, 500.167f};
  const float max[3] = {6.5f, -10, 800};
  const float min[3] = {1, -71, 200};
  const float stored[3] = {7.2504f, -8.5006f, 9.7502f};
  const struct {
    const char* name;
    int button;
    const float* values;
    const char* const* shown;
  } columns[4][3] = {
      {{"centre X", ctl::kAlignCentreX, centre, kCentreShown},
       {"centre Y", ctl::kAlignCentreY, centre, kCentreShown},
       {"centre Z", ctl::kAlignCentreZ, centre, kCentreShown}},
      {{"max X", ctl::kAlignMaxX, max, kMaxShown},
       {"max Y", ctl::kAlignMaxY, max, kMaxShown},
       {"max Z", ctl::kAlignMaxZ, max, kMaxShown}},
      {{"min X", ctl::kAlignMinX, min, kMinShown},
       {"min Y", ctl::kAlignMinY, min, kMinShown},
       {"min Z", ctl::kAlignMinZ, min, kMinShown}},
      {{"stored X", ctl::kAlignStoredX, stored, kStoredShown},
       {"stored Y", ctl::kAlignStoredY, stored, kStoredShown},
       {"stored Z", ctl::kAlignStoredZ, stored, kStoredShown}},
  };
  for (bool local : {false, true}) {
    for (bool absolute : {false, true}) {
      for (const auto& column : columns) {
        for (int axis = 0; axis < 3; ++axis) {
          const auto& button = column[axis];
          SCOPED_TRACE(std::string(button.name) + (local ? ", local" : ", global") +
                       (absolute ? ", absolute" : ", relative"));
          const int o = Prepare(local, absolute);
          ASSERT_EQ(Texts(kCentre), "3.167 -40.333 500.167");
          ASSERT_EQ(Texts(kMax), "6.500 -10.000 800.000");
          ASSERT_EQ(Texts(kMin), "1.000 -71.000 200.000");
          ASSERT_EQ(Texts(kStored), "7.250 -8.501 9.750");

          panel_->Click(button.button);
          for (int i = 0; i < 3; ++i) {
            standin::Vertex f = kFramePoints[i];
            float* coordinates[3] = {&f.x, &f.y, &f.z};
            *coordinates[axis] = button.values[axis];
            EXPECT_EQ(At(o, i), local ? FrameToGlobal(f) : f) << "vertex " << i;
          }
          EXPECT_EQ(At(o, 3), (standin::Vertex{99, 98, 97}));
          // The refresh afterwards: the centre moved on that axis alone, and only in
          // absolute mode does it reach the move fields.
          std::string centreAfter[3] = {kCentreShown[0], kCentreShown[1], kCentreShown[2]};
          centreAfter[axis] = button.shown[axis];
          EXPECT_EQ(Texts(kCentre), Joined(centreAfter));
          EXPECT_EQ(Texts(kMove), absolute ? Joined(centreAfter) : "a b c");
        }
      }
    }
  }
}

// The paste buttons write the named components of the stored coordinate into the move
// fields and leave the other rows' text alone; they work only in absolute mode. Copy
// takes the move fields in absolute mode and the centre as shown in relative mode.
TEST_F(AlignButtonsTest, PasteButtonsWriteTheirRowsOnlyAndCopyFollowsTheValueMode) {
  const struct {
    int button;
    bool x, y, z;
  } pastes[] = {
      {ctl::kPasteX, true, false, false}, {ctl::kPasteY, false, true, false},
      {ctl::kPasteZ, false, false, true}, {ctl::kPasteXY, true, true, false},
      {ctl::kPasteXZ, true, false, true}, {ctl::kPasteYZ, false, true, true},
      {ctl::kPasteXYZ, true, true, true},
  };
  for (const auto& paste : pastes) {
    SCOPED_TRACE(paste.button);
    Prepare(false, true);
    SetTexts(kMove, "a", "b", "c");
    panel_->Click(paste.button);
    EXPECT_EQ(Text(ctl::kMoveX), paste.x ? kStoredShown[0] : "a");
    EXPECT_EQ(Text(ctl::kMoveY), paste.y ? kStoredShown[1] : "b");
    EXPECT_EQ(Text(ctl::kMoveZ), paste.z ? kStoredShown[2] : "c");

    panel_->Click(ctl::kRelative);
    SetTexts(kMove, "a", "b", "c");
    panel_->Click(paste.button);
    EXPECT_EQ(Texts(kMove), "a b c");
  }

  Prepare(false, false);
  panel_->Click(ctl::kCopy);
  EXPECT_EQ(Texts(kStored), "3.167 -40.333 500.167");
  EXPECT_EQ(g_plugin.StoredPoint().x, 3.167f);
  EXPECT_EQ(g_plugin.StoredPoint().y, -40.333f);
  EXPECT_EQ(g_plugin.StoredPoint().z, 500.167f);
}

}  // namespace
