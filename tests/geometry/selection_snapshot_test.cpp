// The selection snapshot: which vertices count as selected, and the selected lines'
// total length.
#include <cmath>
#include <vector>

#include "tests/geometry/station_fixture.h"

namespace {

class SnapshotTest : public GeometryTest {
 protected:
  // Flags of the snapshot in entry order.
  std::vector<int> Flags() {
    std::vector<int> flags;
    for (int i = 0; i < snapshot_.m_selectionCount; ++i) {
      flags.push_back(snapshot_.m_selection[i].selected);
    }
    return flags;
  }
};

using SnapshotStationTest = StationTest;

TEST_F(SnapshotTest, ListsEveryVertexOfEveryObjectInOrderAndSkipsEmptySlots) {
  doc_->AddObject("a", {{0, 0, 0}, {1, 0, 0}});
  doc_->AddEmptySlot();
  doc_->AddObject("c", {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  Snapshot();
  ASSERT_EQ(snapshot_.m_selectionCount, 5);
  const int expected[5][2] = {{0, 0}, {0, 1}, {2, 0}, {2, 1}, {2, 2}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(snapshot_.m_selection[i].object, expected[i][0]);
    EXPECT_EQ(snapshot_.m_selection[i].vertex, expected[i][1]);
  }
  EXPECT_EQ(Flags(), std::vector<int>(5, 0));
  EXPECT_EQ(snapshot_.m_selectedLineLength, 0);
}

TEST_F(SnapshotTest, SelectedFacesMarkTheirCornersOnceAndAddNoLength) {
  // Two quads sharing the edge 1-2.
  const int o = doc_->AddObject(
      "quads", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}, {2, 1, 0}, {9, 9, 9}},
      {{0, 1, 2, 3}, {1, 4, 5, 2}});
  doc_->SelectFace(o, 0);
  doc_->SelectFace(o, 1);
  Snapshot();
  EXPECT_EQ(Flags(), (std::vector<int>{1, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(snapshot_.m_selectedLineLength, 0);
}

TEST_F(SnapshotTest, SelectedLinesMarkTheirEndsAndAddTheirLengths) {
  const int o = doc_->AddObject("t", {{0, 0, 0}, {3, 0, 0}, {3, 4, 0}, {7, 7, 7}, {7, 7, 9.5f}},
                                {{0, 1, 2}, {3, 4}});
  doc_->SelectLine(o, 0, 1);  // 3-4-0 triangle: the edge of length 4
  Snapshot();
  EXPECT_EQ(Flags(), (std::vector<int>{0, 1, 1, 0, 0}));
  EXPECT_EQ(snapshot_.m_selectedLineLength, 4.0f);

  doc_->SelectLine(o, 0, 0);
  doc_->SelectLine(o, 0, 2);
  doc_->SelectLine(o, 1, 0);  // the two-point face: a lone line of length 2.5
  Snapshot();
  EXPECT_EQ(Flags(), (std::vector<int>{1, 1, 1, 1, 1}));
  EXPECT_EQ(snapshot_.m_selectedLineLength, 3.0f + 4.0f + 5.0f + 2.5f);
}

TEST_F(SnapshotStationTest, TheTotalLengthUsesRawCoordinatesWhateverTheFrame) {
  const int o = doc_->AddObject("l", {{0, 0, 0}, {0, 2, 0}}, {{0, 1}});
  doc_->SetGlobalMatrix(o, {5, 0, 0, 0, 0, 5, 0, 0, 0, 0, 5, 0, 1, 2, 3, 1});
  doc_->currentObject = o;
  doc_->SelectLine(o, 0, 0);
  panel_->Click(ctl::kLocal);
  EXPECT_EQ(Text(ctl::kTotalLength), "2.000");
}

// A face may have any number of points: well beyond any small fixed buffer.
TEST_F(SnapshotTest, FacesOfManyPointsAreReadWhole) {
  const int o = doc_->AddObject("ngon");
  std::vector<int> ring;
  for (int i = 0; i < 200; ++i) {
    doc_->AddVertex(o, static_cast<float>(i), 0, 0);
    ring.push_back(i);
  }
  doc_->AddFace(o, ring);
  doc_->AddFace(o, std::vector<int>(ring.begin(), ring.begin() + 100));
  doc_->SelectLine(o, 0, 150);
  doc_->SelectFace(o, 1);
  Snapshot();
  std::vector<int> expected(200, 0);
  for (int i = 0; i < 100; ++i) expected[i] = 1;
  expected[150] = expected[151] = 1;
  EXPECT_EQ(Flags(), expected);
  EXPECT_EQ(snapshot_.m_selectedLineLength, 1.0f);
}

// Faces beyond the inline room, each larger than the one before, so the heap room
// for a face's points must grow again and again: kept from an earlier, smaller face,
// it would let the host write past its end. Each face has its own vertices and its
// selected line at its far end, past the room the face before needed; the last face
// is selected whole. A later snapshot meets a larger face still.
TEST_F(SnapshotTest, EachLargerFaceGetsRoomForAllItsPoints) {
  const int o = doc_->AddObject("rings");
  const int sizes[] = {FacePointBuffer::kInlinePoints + 6, 2 * FacePointBuffer::kInlinePoints + 1,
                       5 * FacePointBuffer::kInlinePoints};
  std::vector<int> expected;
  float expectedLength = 0;
  int next = 0;
  for (int size : sizes) {
    std::vector<int> ring;
    for (int i = 0; i < size; ++i) {
      // Steps of 0.5 along x and a rise of 1 in y make the far line 1.25 long squared.
      doc_->AddVertex(o, 0.5f * static_cast<float>(next), static_cast<float>(next), 0);
      ring.push_back(next++);
      expected.push_back(0);
    }
    const int face = doc_->AddFace(o, ring);
    if (size == sizes[2]) {
      doc_->SelectFace(o, face);
      for (int v : ring) expected[v] = 1;
    } else {
      doc_->SelectLine(o, face, size - 2);  // from its next-to-last point to its last
      expected[ring[size - 2]] = expected[ring[size - 1]] = 1;
      expectedLength += std::sqrt(1.25f);
    }
  }
  Snapshot();
  EXPECT_EQ(Flags(), expected);
  EXPECT_EQ(snapshot_.m_selectedLineLength, expectedLength);

  // Larger again, in the next snapshot: the room kept from the last one is too small.
  std::vector<int> ring;
  for (int i = 0; i < 8 * FacePointBuffer::kInlinePoints; ++i) {
    doc_->AddVertex(o, 0, 0, static_cast<float>(i));
    ring.push_back(next++);
    expected.push_back(0);
  }
  doc_->SelectLine(o, doc_->AddFace(o, ring), static_cast<int>(ring.size()) - 1);  // wraps
  expected[ring.back()] = expected[ring.front()] = 1;
  expectedLength += static_cast<float>(ring.size() - 1);
  Snapshot();
  EXPECT_EQ(Flags(), expected);
  EXPECT_EQ(snapshot_.m_selectedLineLength, expectedLength);
}

TEST_F(SnapshotTest, PointIndicesOutsideTheObjectMarkNothingAndAddNoLength) {
  const int a = doc_->AddObject("a", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{0, 1, 7}, {-3, 2, 1}});
  doc_->AddObject("b", {{5, 5, 5}});
  doc_->SelectLine(a, 0, 1);  // from 1 to the missing 7
  doc_->SelectFace(a, 1);
  Snapshot();
  // Object b's vertex, right after a's entries, stays unmarked.
  EXPECT_EQ(Flags(), (std::vector<int>{0, 1, 1, 0}));
  EXPECT_EQ(snapshot_.m_selectedLineLength, 0);
}

// Exactly at the edges: an index equal to the vertex count names the next object's
// first entry and -1 the previous object's last, so both must mark nothing.
TEST_F(SnapshotTest, PointIndicesJustOutsideTheObjectMarkNothing) {
  doc_->AddObject("before", {{8, 8, 8}});
  const int a =
      doc_->AddObject("a", {{0, 0, 0}, {1, 0, 0}, {3, 0, 0}}, {{1, 3}, {-1, 2}, {3, 1, -1}});
  doc_->AddObject("after", {{9, 9, 9}});
  doc_->SelectLine(a, 0, 0);  // from 1 to the missing 3
  doc_->SelectLine(a, 1, 0);  // from the missing -1 to 2
  doc_->SelectFace(a, 2);
  Snapshot();
  EXPECT_EQ(Flags(), (std::vector<int>{0, 0, 1, 1, 0}));
  EXPECT_EQ(snapshot_.m_selectedLineLength, 0);
}

// Faces of no point and of one point have no line; a two-point face has exactly one,
// line 0, and no face selection of its own.
TEST_F(SnapshotTest, FacesOfZeroOneAndTwoPoints) {
  const int o = doc_->AddObject("o", {{0, 0, 0}, {0, 0, 2}, {5, 5, 5}}, {{}, {2}, {0, 1}});
  for (int f = 0; f < 3; ++f) doc_->SelectFace(o, f);
  doc_->SelectLine(o, 1, 0);
  doc_->SelectLine(o, 2, 1);  // the way back along the same line: not asked about
  Snapshot();
  EXPECT_EQ(Flags(), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(snapshot_.m_selectedLineLength, 0);

  doc_->SelectLine(o, 2, 0);
  Snapshot();
  EXPECT_EQ(Flags(), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(snapshot_.m_selectedLineLength, 2.0f);
}

// The squared length is rounded to float before its root: for this edge the root of
// the double sum would round to a different float.
TEST_F(SnapshotTest, LineLengthRoundsTheSquaredLengthToFloat) {
  const int o = doc_->AddObject("l", {{0.1f, 0.1f, 1.1f}, {0, 0, 0}}, {{0, 1}});
  doc_->SelectLine(o, 0, 0);
  Snapshot();
  const double squared = static_cast<double>(0.1f) * 0.1f + static_cast<double>(0.1f) * 0.1f +
                         static_cast<double>(1.1f) * 1.1f;
  const float expected = std::sqrt(static_cast<float>(squared));
  ASSERT_NE(expected, static_cast<float>(std::sqrt(squared)));  // the case tells them apart
  EXPECT_EQ(snapshot_.m_selectedLineLength, expected);
}

TEST_F(SnapshotTest, GrowsToExactlyTheVertexCountWhenTheDocumentOutgrowsTheBuffer) {
  const int o = doc_->AddObject("big");
  for (int i = 0; i < kInitialSelectionCapacity + 1; ++i) doc_->AddVertex(o, 0, 0, 0);
  doc_->SelectVertex(o, kInitialSelectionCapacity);
  Snapshot();
  EXPECT_EQ(snapshot_.m_selectionCapacity, kInitialSelectionCapacity + 1);
  EXPECT_EQ(snapshot_.m_selectionCount, kInitialSelectionCapacity + 1);
  EXPECT_EQ(snapshot_.m_selection[kInitialSelectionCapacity].selected, 1);
  doc_->Clear();
  Snapshot();
  EXPECT_EQ(snapshot_.m_selectionCapacity, kInitialSelectionCapacity + 1);  // never shrinks
  EXPECT_EQ(snapshot_.m_selectionCount, 0);
}

}  // namespace
