// The stored coordinate and the align buttons.
#include "tests/geometry/station_fixture.h"

namespace {

using AlignPasteTest = StationTest;

TEST_F(AlignPasteTest, AlignMaxSetsOneCoordinateAndLeavesTheOthers) {
  doc_->currentObject = SelectedObject({{1, 5, 6}, {2, 7, 8}, {3, 9, 1}, {4, 2, 3}});
  Run(&GridshiftPlugin::UpdateReadouts);
  EXPECT_EQ(Text(ctl::kMaxX), "4.000");
  Run(&GridshiftPlugin::AlignMaxX);
  EXPECT_EQ(At(0, 0), (standin::Vertex{4, 5, 6}));
  EXPECT_EQ(At(0, 3), (standin::Vertex{4, 2, 3}));
  EXPECT_EQ(Text(ctl::kMinX) + Text(ctl::kMaxX) + Text(ctl::kCentreX), "4.0004.0004.000");
}

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

TEST_F(AlignPasteTest, CopyTakesTheCentreInRelativeModeAndTheMoveFieldsInAbsolute) {
  doc_->currentObject = SelectedObject({{1, 2, 3}});
  Run(&GridshiftPlugin::UpdateReadouts);
  SetTexts(kMove, "7", "8", "9");
  Run(&GridshiftPlugin::CopyToStoredPoint);
  EXPECT_EQ(Texts(kStored), "1.000 2.000 3.000");
  panel_->Click(ctl::kAbsolute);
  SetTexts(kMove, "7", "8", "9");
  Run(&GridshiftPlugin::CopyToStoredPoint);
  EXPECT_EQ(Texts(kStored), "7.000 8.000 9.000");
}

TEST_F(AlignPasteTest, PastesWriteOnlyTheirRows) {
  doc_->currentObject = SelectedObject({{1.5f, -2, 0.25f}});
  Run(&GridshiftPlugin::UpdateReadouts);
  Run(&GridshiftPlugin::CopyToStoredPoint);
  SetTexts(kMove, "a", "b", "c");
  Run(&GridshiftPlugin::PasteStoredXZ);
  EXPECT_EQ(Texts(kMove), "1.500 b 0.250");
  Run(&GridshiftPlugin::PasteStoredY);
  EXPECT_EQ(Texts(kMove), "1.500 -2.000 0.250");
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

}  // namespace
