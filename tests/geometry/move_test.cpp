// Moving the selection: relative and absolute, global and local, and what it refuses.
#include <array>
#include <cfloat>
#include <random>
#include <vector>

#include "geometry/reposition.h"
#include "tests/geometry/station_fixture.h"

namespace {

using MoveTest = StationTest;

// The move itself: every selected vertex moved by a vector in the current object's
// local frame, on the stand-in document through its port.
class LocalMoveTest : public GeometryTest {
 protected:
  void MoveLocally(Point3 move) {
    Snapshot();
    FrameMatrices frame;
    ASSERT_TRUE(ReadCurrentFrame(Doc(), &frame));
    RewriteSelectedVertices(Doc(), snapshot_, [&](const Point3& p) {
      return MovedPoint(p, move, false, frame);
    });
  }
};

TEST_F(MoveTest, RelativeGlobalMovesEverySelectedVertexOfEveryObject) {
  const int a = SelectedObject({{0.1f, 0.2f, 0.3f}});
  doc_->AddVertex(a, 5, 5, 5);  // not selected
  const int b = SelectedObject({{-1, -1, -1}});
  doc_->currentObject = b;
  SetTexts(kMove, "1", "2", "3");
  Run(&GridshiftPlugin::MoveSelection);
  EXPECT_EQ(At(a, 0), (standin::Vertex{0.1f + 1, 0.2f + 2, 0.3f + 3}));
  EXPECT_EQ(At(a, 1), (standin::Vertex{5, 5, 5}));
  EXPECT_EQ(At(b, 0), (standin::Vertex{0, 1, 2}));
  EXPECT_EQ(Texts(kMove), "1.000 2.000 3.000");
}

TEST_F(MoveTest, AbsoluteBringsTheCentreToTheTypedPosition) {
  doc_->currentObject = SelectedObject({{0, 0, 0}, {2, 2, 2}});
  panel_->Click(ctl::kAbsolute);
  SetTexts(kMove, "5", "abc", "5");
  Run(&GridshiftPlugin::MoveSelection);
  EXPECT_EQ(At(0, 0), (standin::Vertex{4, -1, 4}));
  EXPECT_EQ(At(0, 1), (standin::Vertex{6, 1, 6}));
  EXPECT_EQ(Texts(kCentre), "5.000 0.000 5.000");
  EXPECT_EQ(Texts(kMove), "5.000 0.000 5.000");
}

TEST_F(MoveTest, LocalMovesAlongTheFramesAxes) {
  const int o = SelectedObject({{0, 0, 0}});
  doc_->SetGlobalMatrix(o, {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});  // 90° about Z
  doc_->currentObject = o;
  panel_->Click(ctl::kLocal);
  SetTexts(kMove, "1", "0", "0");
  Run(&GridshiftPlugin::MoveSelection);
  EXPECT_EQ(At(o, 0), (standin::Vertex{0, 1, 0}));
}

// Rounded to float after each transform as a whole, after the addition and after the
// transform back: rounding once at the end would give y = 0xc0133333 for the first
// vertex, rounding inside a transform x = 0xc0861a46 for the second.
TEST_F(LocalMoveTest, RoundsAfterEveryStep) {
  const int o = doc_->AddObject(
      "o", {{1.7f, -2.3f, 5.9f}, {-5.2407073974609375f, 0.8845844864845276f, -2.6008965969085693f}});
  doc_->SelectAllVertices(o);
  doc_->SetGlobalMatrices(
      o, {3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 0.1f, 0.2f, 0.3f, 1},
      {1.0f / 3, 0, 0, 0, 0, 1.0f / 3, 0, 0, 0, 0, 1.0f / 3, 0, static_cast<float>(-0.1 / 3),
       static_cast<float>(-0.2 / 3), static_cast<float>(-0.3 / 3), 1});
  doc_->currentObject = o;
  MoveLocally({0.35f, 0, -1.25f});
  EXPECT_EQ(Bits(At(o, 0).x), 0x40300000u);
  EXPECT_EQ(Bits(At(o, 0).y), 0xc0133334u);
  EXPECT_EQ(Bits(At(o, 0).z), 0x4009999bu);
  EXPECT_EQ(Bits(At(o, 1).x), 0xc0861a47u);
  EXPECT_EQ(Bits(At(o, 1).y), 0x3f627421u);
  EXPECT_EQ(Bits(At(o, 1).z), 0xc0cb3a8cu);
}

// The point transform as the frame defines it, each coordinate a double sum left to
// right with the translation last, rounded to float. translationFirst puts the
// translation at the start of the sums of the coordinates it names (x, y, z), which
// gives the same float for ordinary coordinates.
standin::Vertex Transform(standin::Vertex p, const standin::Matrix& m,
                          std::array<bool, 3> translationFirst = {}) {
  float out[3];
  for (int c = 0; c < 3; ++c) {
    const double turned =
        translationFirst[c]
            ? ((m[12 + c] + static_cast<double>(p.x) * m[c]) +
               static_cast<double>(p.y) * m[4 + c]) +
                  static_cast<double>(p.z) * m[8 + c]
            : ((static_cast<double>(p.x) * m[c] + static_cast<double>(p.y) * m[4 + c]) +
               static_cast<double>(p.z) * m[8 + c]) +
                  m[12 + c];
    out[c] = static_cast<float>(turned);
  }
  return {out[0], out[1], out[2]};
}

// Geometry far from the origin: a local frame turned off every axis of the world, its
// origin at x = 65536, so that the inverse's translation is -65536 times its first
// row, and vertices within 10^-4 of that origin. On the way into the frame the
// coordinate 65536 cancels the translation, and the order of the sum shows in the last
// bits of the small local coordinates; the way back adds no translation to y and z,
// which keep those bits. The case is first checked to show the order in the x and y
// sums and in the z sum.
TEST_F(LocalMoveTest, FarFromTheOriginAddsEachTranslationLast) {
  standin::Matrix toLocal = {0.75f,   0.5f,     -0.4375f, 0,  //
                             -0.5f,   0.8125f,  0.3125f,  0,  //
                             0.4375f, -0.3125f, 0.84375f, 0,  //
                             0,       0,        0,        1};
  for (int c = 0; c < 3; ++c) toLocal[12 + c] = -65536 * toLocal[c];
  const standin::Matrix toGlobal = standin::Inverse(toLocal);
  std::mt19937 sequence(16);
  auto near = [&] {
    return static_cast<float>(static_cast<int>(sequence() % 20001) - 10000) * 1e-8f;
  };
  std::vector<standin::Vertex> vertices = {{65536, 0.0001f, -0.0002f}};
  for (int i = 0; i < 31; ++i) vertices.push_back({65536, near(), near()});
  const standin::Vertex move = {1e-7f, -2e-7f, 0};
  auto moved = [&](standin::Vertex v, std::array<bool, 3> translationFirst = {}) {
    const standin::Vertex local = Transform(v, toLocal, translationFirst);
    return Transform({local.x + move.x, local.y + move.y, local.z + move.z}, toGlobal,
                     translationFirst);
  };
  bool xyTell = false, zTell = false;
  for (const standin::Vertex& v : vertices) {
    xyTell = xyTell || moved(v) != moved(v, {true, true, false});
    zTell = zTell || moved(v) != moved(v, {false, false, true});
  }
  ASSERT_TRUE(xyTell && zTell) << "the case does not tell the order of the sums apart";

  const int o = doc_->AddObject("far");
  for (const standin::Vertex& v : vertices) doc_->AddVertex(o, v.x, v.y, v.z);
  doc_->SelectAllVertices(o);
  doc_->SetGlobalMatrices(o, toGlobal, toLocal);
  doc_->currentObject = o;
  MoveLocally({move.x, move.y, move.z});
  for (int i = 0; i < static_cast<int>(vertices.size()); ++i) {
    const standin::Vertex expected = moved(vertices[i]);
    EXPECT_EQ(Bits(At(o, i).x), Bits(expected.x)) << "vertex " << i;
    EXPECT_EQ(Bits(At(o, i).y), Bits(expected.y)) << "vertex " << i;
    EXPECT_EQ(Bits(At(o, i).z), Bits(expected.z)) << "vertex " << i;
  }
}

TEST_F(MoveTest, WithoutACurrentObjectNothingMovesAndRefreshesResume) {
  SelectedObject({{1, 1, 1}});
  SetTexts(kMove, "1", "x", "1");
  Run(&GridshiftPlugin::MoveSelection);
  EXPECT_EQ(At(0, 0), (standin::Vertex{1, 1, 1}));
  EXPECT_EQ(Texts(kMove), "1.000 0.000 1.000");
  EXPECT_TRUE(g_plugin.RefreshEnabled());
}

// A field of 300 digits reads as infinity and pasted text may say "nan": neither may
// reach the document, and no vertex may be pushed beyond the float range.
TEST_F(MoveTest, NeverWritesACoordinateThatIsNotFinite) {
  const int o = SelectedObject({{1, 1, 1}, {FLT_MAX, 0, 0}});
  doc_->currentObject = o;
  SetTexts(kMove, std::string(300, '9').c_str(), "0", "0");
  Run(&GridshiftPlugin::MoveSelection);
  SetTexts(kMove, "0", "nan", "0");
  Run(&GridshiftPlugin::MoveSelection);
  EXPECT_EQ(At(o, 0), (standin::Vertex{1, 1, 1}));
  EXPECT_EQ(Text(ctl::kMoveY), "nan");

  SetTexts(kMove, "1e38", "0", "0");
  Run(&GridshiftPlugin::MoveSelection);
  EXPECT_EQ(At(o, 0), (standin::Vertex{1e38f, 1, 1}));
  EXPECT_EQ(At(o, 1), (standin::Vertex{FLT_MAX, 0, 0}));  // kept: FLT_MAX + 1e38 overflows
}

}  // namespace
