// Refreshes and operations on documents of up to 100000 vertices allocate nothing once
// the station runs; a snapshot that cannot get its buffer is empty and changes nothing.
//
// This executable replaces the global allocation functions to count every allocation
// made in the process and to refuse some on request.
#include "tests/geometry/station_fixture.h"
#include "tests/support/counting_allocator.h"

using counting_allocator::allocations;

namespace {

class AllocationTest : public StationTest {
 protected:
  // A document of exactly 100000 vertices: quads, a 120-point face, lines, and a
  // second object, everything selected one way or another, the current object
  // framed by a matrix.
  void BuildFullDocument() {
    const int grid = doc_->AddObject("grid");
    for (int i = 0; i < 99000; ++i) doc_->AddVertex(grid, float(i % 300), float(i / 300), 0);
    for (int q = 0; q + 301 < 99000; q += 7) doc_->AddFace(grid, {q, q + 1, q + 301, q + 300});
    std::vector<int> ring;
    for (int i = 0; i < 120; ++i) ring.push_back(i * 3);
    doc_->AddFace(grid, ring);
    for (int f = 0; f < 2000; f += 2) doc_->SelectFace(grid, f);
    for (int f = 1; f < 2000; f += 2) doc_->SelectLine(grid, f, 2);
    doc_->SelectLine(grid, static_cast<int>(doc_->ObjectAt(grid)->faces.size()) - 1, 100);
    const int other = doc_->AddObject("other");
    for (int i = 0; i < 1000; ++i) doc_->AddVertex(other, 1, float(i), 2);
    doc_->SelectAllVertices(other);
    doc_->SetGlobalMatrix(other, {2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1});
    doc_->currentObject = other;
  }
};

TEST_F(AllocationTest, OperationsOnAFullDocumentAllocateNothing) {
  BuildFullDocument();
  panel_->Click(ctl::kLocal);
  SetTexts(kMove, "0.5", "-0.25", "1");
  SetTexts(kRotation, "10", "20", "30");
  const StationOperation operations[] = {
      &GridshiftPlugin::UpdateReadouts,   &GridshiftPlugin::MoveSelection,
      &GridshiftPlugin::RotateSelection,  &GridshiftPlugin::AlignCentreX,
      &GridshiftPlugin::AlignStoredZ,     &GridshiftPlugin::CopyToStoredPoint,
      &GridshiftPlugin::PasteStoredXYZ,   &GridshiftPlugin::SetLocalFrameFromSelection,
      &GridshiftPlugin::StoreLocalFrame1, &GridshiftPlugin::ClearMoveFields,
  };
  // One round first: the fields' texts may take their longest form once.
  for (StationOperation op : operations) Run(op);
  for (StationOperation op : operations) {
    const long before = allocations;
    Run(op);
    EXPECT_EQ(allocations - before, 0);
  }
  EXPECT_EQ(g_plugin.Selection().m_selectionCapacity, kInitialSelectionCapacity);
  EXPECT_EQ(g_plugin.Selection().m_selectionCount, 100000);
}

TEST_F(AllocationTest, ASnapshotWithoutItsBufferIsEmptyAndNothingMoves) {
  const int o = SelectedObject({{1, 2, 3}});
  for (int i = 0; i < kInitialSelectionCapacity; ++i) doc_->AddVertex(o, 0, 0, 0);
  doc_->currentObject = o;
  SetTexts(kMove, "1", "1", "1");
  counting_allocator::refuseNothrowArrays = true;
  Run(&GridshiftPlugin::MoveSelection);
  counting_allocator::refuseNothrowArrays = false;
  EXPECT_EQ(At(o, 0), (standin::Vertex{1, 2, 3}));
  // The refusal left no buffer; the next snapshot gets one again.
  Run(&GridshiftPlugin::MoveSelection);
  EXPECT_EQ(At(o, 0), (standin::Vertex{2, 3, 4}));
}

}  // namespace
