// The stored coordinate and the align buttons.
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

}  // namespace
