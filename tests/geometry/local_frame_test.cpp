// The local frame tools: origin and Z axis from the selection, and the two frame slots.
#include <array>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "geometry/local_frame.h"
#include "tests/geometry/station_fixture.h"

namespace {

constexpr std::array<float, 3> kUntouched3 = {-7, -7, -7};

class LocalFrameTest : public StationTest {
 protected:
  // Marks arrays 770 and 771 of every object so that a write shows.
  void MarkArrays() {
    for (int i = 0; i < doc_->ObjectCount(); ++i) {
      if (standin::Object* o = doc_->ObjectAt(i)) o->localAngles = o->localOrigin = kUntouched3;
    }
  }
  standin::Object& Obj(int index) { return *doc_->ObjectAt(index); }
  // The geometry's measure itself, on the stand-in document through its port.
  Point3 MeasureEdge(int object, int face, int line, int referenceVertex) {
    return MeasureEdgeDirection(HostDocument(port_, doc_->Handle()), facePoints_, object, face,
                                line, referenceVertex);
  }
  std::array<float, 3> Direction(standin::Vertex to) {
    doc_->Clear();
    const int o = doc_->AddObject("line", {{0, 0, 0}, to}, {{0, 1}});
    return ToArray(MeasureEdge(o, 0, 0, -1));
  }
  static std::array<float, 3> ToArray(Point3 p) { return {p.x, p.y, p.z}; }

  const DocumentPort port_ = standin::HostDocumentPort();
  FacePointBuffer facePoints_;
};

TEST_F(LocalFrameTest, DirectionAnglesOfTheSixAxes) {
  const struct {
    standin::Vertex to;
    float heading, elevation;
  } cases[] = {{{1, 0, 0}, 90, 0},   {{0, 1, 0}, 0, 270}, {{0, 0, -1}, 180, 0},
               {{1, 1, 0}, 90, 315}, {{0, -1, 0}, 0, 90}, {{0, 0, 1}, 0, 0}};
  for (const auto& c : cases) {
    const std::array<float, 3> angles = Direction(c.to);
    EXPECT_NEAR(angles[0], c.heading, 1e-4) << c.to.x << " " << c.to.y << " " << c.to.z;
    EXPECT_NEAR(angles[1], c.elevation, 1e-4) << c.to.x << " " << c.to.y << " " << c.to.z;
    EXPECT_EQ(angles[2], 0);
  }
  // A line of no length has no direction, nor has one with an end that is not
  // finite: zeros, not NaN.
  for (standin::Vertex to : {standin::Vertex{0, 0, 0}, {NAN, 0, 1}, {0, INFINITY, 0}}) {
    EXPECT_EQ(Direction(to), (std::array<float, 3>{0, 0, 0})) << to.x << " " << to.y << " " << to.z;
  }
}

// The heading bit for bit: atan2(x, z) as a float, turned into degrees by multiplying
// by 180 and dividing by the decimal constant 3.14159265, then into [0, 360] a turn at a
// time. For these two directions a more precise pi gives other bits.
TEST_F(LocalFrameTest, HeadingDegreesUseTheDecimalConstant) {
  for (float x : {2.0f, -2.0f}) {
    const float radians = static_cast<float>(std::atan2(static_cast<double>(x), 7.0));
    float degrees = static_cast<float>((static_cast<double>(radians) * 180.0) / 3.14159265);
    ASSERT_NE(degrees,
              static_cast<float>((static_cast<double>(radians) * 180.0) / 3.14159265358979));
    while (degrees < 0) degrees = static_cast<float>(degrees + 360.0);
    const std::array<float, 3> angles = Direction({x, 0, 7});
    EXPECT_EQ(Bits(angles[0]), Bits(degrees)) << x;
    EXPECT_EQ(angles[1], 0) << x;
  }
}

// The direction angles of a line from p to q, step by step as the frame defines them:
// d = q - p in float; heading = float(atan2(d.x, d.z)); the length from the float sum
// of squares, its root rounded to float; sine = float(d.y / length); rise =
// float(asin(sine)); each angle turned into degrees with the decimal constant and
// brought into [0, 360] a turn at a time. roundLength false keeps the root in double.
struct EdgeAngles {
  float heading, elevation;
};
EdgeAngles ExpectedAngles(standin::Vertex p, standin::Vertex q, bool roundLength = true) {
  auto degrees = [](float radians) {
    float d = static_cast<float>((static_cast<double>(radians) * 180.0) / 3.14159265);
    while (d < 0) d = static_cast<float>(d + 360.0);
    while (d > 360) d = static_cast<float>(d - 360.0);
    return d;
  };
  const float dx = q.x - p.x, dy = q.y - p.y, dz = q.z - p.z;
  const float heading = static_cast<float>(std::atan2(static_cast<double>(dx), dz));
  const float squared = static_cast<float>(
      static_cast<double>(dx) * dx + static_cast<double>(dy) * dy + static_cast<double>(dz) * dz);
  const double root = std::sqrt(static_cast<double>(squared));
  const double length = roundLength ? static_cast<float>(root) : root;
  const float sine = static_cast<float>(dy / length);
  const float rise = static_cast<float>(std::asin(static_cast<double>(sine)));
  return {degrees(heading), degrees(-rise)};
}

// Lines in general position, bit for bit. Their ends are coordinates of up to a few
// hundred units with three decimals, from a fixed sequence. Rounding the length to
// float before the division changes the sine's last bit on about one such line in
// four and the stored elevation's on about one in eight (the arc sine and the degrees
// absorb the rest), so the test first makes sure that enough lines tell the two apart.
TEST_F(LocalFrameTest, AnglesOfLinesInGeneralPositionAreExactToTheLastBit) {
  std::mt19937 sequence(18);
  auto coordinate = [&] {
    return static_cast<float>(static_cast<int>(sequence() % 600001) - 300000) / 1000.0f;
  };
  const int o = doc_->AddObject("lines");
  std::vector<std::pair<standin::Vertex, standin::Vertex>> lines;
  for (int i = 0; i < 256; ++i) {
    const standin::Vertex p = {coordinate(), coordinate(), coordinate()};
    const standin::Vertex q = {coordinate(), coordinate(), coordinate()};
    lines.push_back({p, q});
    doc_->AddVertex(o, p.x, p.y, p.z);
    doc_->AddVertex(o, q.x, q.y, q.z);
    doc_->AddFace(o, {2 * i, 2 * i + 1});
  }
  int telling = 0;
  for (const auto& [p, q] : lines) {
    telling += Bits(ExpectedAngles(p, q).elevation) != Bits(ExpectedAngles(p, q, false).elevation);
  }
  ASSERT_GE(telling, 16) << "too few lines where the rounding of the length shows";

  int tellingLine = -1;
  for (int f = 0; f < static_cast<int>(lines.size()); ++f) {
    const auto& [p, q] = lines[f];
    const EdgeAngles expected = ExpectedAngles(p, q);
    const Point3 angles = MeasureEdge(o, f, 0, -1);
    EXPECT_EQ(Bits(angles.x), Bits(expected.heading)) << "line " << f;
    EXPECT_EQ(Bits(angles.y), Bits(expected.elevation)) << "line " << f;
    EXPECT_EQ(Bits(angles.z), Bits(0.0f)) << "line " << f;
    if (tellingLine < 0 && Bits(expected.elevation) != Bits(ExpectedAngles(p, q, false).elevation))
      tellingLine = f;
  }

  // The same bits reach the current object's array through the panel's button.
  doc_->currentObject = o;
  doc_->SelectLine(o, tellingLine, 0);
  panel_->Click(ctl::kSetLocalFrame);
  const EdgeAngles expected = ExpectedAngles(lines[tellingLine].first, lines[tellingLine].second);
  EXPECT_EQ(Bits(Obj(o).localAngles[0]), Bits(expected.heading));
  EXPECT_EQ(Bits(Obj(o).localAngles[1]), Bits(expected.elevation));
  EXPECT_EQ(Bits(Obj(o).localAngles[2]), Bits(0.0f));
}

// Every line of a polygon can set the axis through the panel's button, the closing one
// from the last point back to point 0 included, bit for bit. Alone, a line runs in
// point order; with its second end selected as well, it runs away from that vertex,
// which becomes the origin (for the closing line, point 0 and so the wrap).
TEST_F(LocalFrameTest, EachLineOfATriangleAndOfAQuadrilateralSetsTheAxis) {
  const std::vector<standin::Vertex> triangle = {{1.5f, -2, 0.25f}, {7, 3.5f, -1}, {-4, 6, 2.75f}};
  const std::vector<standin::Vertex> quadrilateral = {
      {0.5f, 1, -3}, {6.25f, -2, 1}, {5, 4.5f, 7}, {-2, 0.75f, 5.5f}};
  for (const std::vector<standin::Vertex>& polygon : {triangle, quadrilateral}) {
    doc_->Clear();
    const int o = doc_->AddObject("polygon");
    std::vector<int> points;
    for (const standin::Vertex& v : polygon) points.push_back(doc_->AddVertex(o, v.x, v.y, v.z));
    doc_->AddFace(o, points);
    doc_->currentObject = o;
    const int n = static_cast<int>(polygon.size());
    for (int k = 0; k < n; ++k) {
      const standin::Vertex first = polygon[k], second = polygon[(k + 1) % n];
      for (bool fromSecondEnd : {false, true}) {
        SCOPED_TRACE(::testing::Message() << n << " points, line " << k
                                          << (fromSecondEnd ? ", its second end selected" : ""));
        doc_->ClearSelection();
        doc_->SelectLine(o, 0, k);
        if (fromSecondEnd) doc_->SelectVertex(o, (k + 1) % n);
        MarkArrays();
        panel_->Click(ctl::kSetLocalFrame);
        const EdgeAngles expected =
            fromSecondEnd ? ExpectedAngles(second, first) : ExpectedAngles(first, second);
        EXPECT_EQ(Bits(Obj(o).localAngles[0]), Bits(expected.heading));
        EXPECT_EQ(Bits(Obj(o).localAngles[1]), Bits(expected.elevation));
        EXPECT_EQ(Bits(Obj(o).localAngles[2]), Bits(0.0f));
        const std::array<float, 3> origin =
            fromSecondEnd ? std::array<float, 3>{second.x, second.y, second.z} : kUntouched3;
        EXPECT_EQ(Obj(o).localOrigin, origin);
      }
    }
  }
}

// Indices just outside what exists give no direction and read no vertex: a line index
// equal to the face's point count, and a point index of -1 or equal to the object's
// vertex count. A two-point face has only line 0.
TEST_F(LocalFrameTest, IndicesJustOutsideGiveNoDirection) {
  const int o = doc_->AddObject("o", {{1, 2, 3}, {1, 2, -4}}, {{0, 1}, {0, 2}, {-1, 1}, {0, 1, 1}});
  const std::array<float, 3> none = {0, 0, 0};
  EXPECT_EQ(ToArray(MeasureEdge(o, 0, 2, -1)), none);
  EXPECT_EQ(ToArray(MeasureEdge(o, 3, 3, -1)), none);
  EXPECT_EQ(ToArray(MeasureEdge(o, 1, 0, -1)), none);
  EXPECT_EQ(ToArray(MeasureEdge(o, 2, 0, -1)), none);
  EXPECT_EQ(ToArray(MeasureEdge(o, 0, 0, -1)),
            (std::array<float, 3>{180, 0, 0}));  // the one line there is: towards -Z

  doc_->currentObject = o;
  doc_->SelectLine(o, 0, 1);  // the way back along the two-point face: not a line of it
  MarkArrays();
  Run(&GridshiftPlugin::SetLocalFrameFromSelection);
  EXPECT_EQ(Obj(o).localAngles, kUntouched3);
}

TEST_F(LocalFrameTest, OriginFromTheFirstSelectedVertexAxisFromTheFirstSelectedLine) {
  const int a = doc_->AddObject("a", {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
  const int b = doc_->AddObject("b", {{0, 0, 0}, {9, 9, 9}, {0, 0, 5}}, {{1}, {1, 0, 2}});
  const int c = doc_->AddObject("c", {{4, 4, 4}});
  const int current = doc_->AddObject("current");
  doc_->currentObject = current;
  doc_->SelectVertex(a, 2);
  doc_->SelectVertex(a, 1);
  doc_->SelectLine(b, 1, 1);  // from vertex 0 to vertex 2 of b: along +Z
  doc_->SelectVertex(c, 0);   // after the object with the line: never looked at
  MarkArrays();
  Run(&GridshiftPlugin::SetLocalFrameFromSelection);
  EXPECT_EQ(Obj(current).localOrigin, (std::array<float, 3>{2, 2, 2}));
  EXPECT_NEAR(Obj(current).localAngles[0], 0, 1e-6);
  EXPECT_NEAR(Obj(current).localAngles[1], 0, 1e-6);
  for (int other : {a, b, c}) EXPECT_EQ(Obj(other).localOrigin, kUntouched3);
}

TEST_F(LocalFrameTest, TheLineRunsAwayFromTheNewOrigin) {
  const int o = doc_->AddObject("o", {{0, 0, 0}, {0, 0, 5}}, {{0, 1}});
  doc_->currentObject = o;
  doc_->SelectVertex(o, 1);
  doc_->SelectLine(o, 0, 0);
  Run(&GridshiftPlugin::SetLocalFrameFromSelection);
  EXPECT_EQ(Obj(o).localOrigin, (std::array<float, 3>{0, 0, 5}));
  EXPECT_NEAR(Obj(o).localAngles[0], 180, 1e-4);  // towards -Z
}

TEST_F(LocalFrameTest, WithoutACurrentObjectNothingIsWritten) {
  const int o = doc_->AddObject("o", {{1, 2, 3}, {4, 5, 6}}, {{0, 1}});
  doc_->SelectVertex(o, 0);
  doc_->SelectLine(o, 0, 0);
  MarkArrays();
  Obj(o).localFrame.fill(3);
  Run(&GridshiftPlugin::SetLocalFrameFromSelection);
  Run(&GridshiftPlugin::StoreLocalFrame1);
  Run(&GridshiftPlugin::LoadLocalFrame2);
  EXPECT_EQ(Obj(o).localOrigin, kUntouched3);
  EXPECT_EQ(Obj(o).localAngles, kUntouched3);
  EXPECT_EQ(Obj(o).localFrame[0], 3);
}

TEST_F(LocalFrameTest, SlotsStoreAndLoadTheWholeFrameIndependently) {
  const int o = doc_->AddObject("o");
  doc_->currentObject = o;
  for (int i = 0; i < 16; ++i) Obj(o).localFrame[i] = static_cast<float>(i) + 0.5f;
  const std::array<float, 16> first = Obj(o).localFrame;
  Run(&GridshiftPlugin::StoreLocalFrame1);
  Obj(o).localFrame.fill(-1);
  Run(&GridshiftPlugin::StoreLocalFrame2);
  Obj(o).localFrame.fill(0);
  Run(&GridshiftPlugin::LoadLocalFrame1);
  EXPECT_EQ(Obj(o).localFrame, first);
  Run(&GridshiftPlugin::LoadLocalFrame2);
  EXPECT_EQ(Obj(o).localFrame, (std::array<float, 16>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                      -1, -1, -1, -1, -1}));
}

// The four slot buttons on the panel, each with its own slot.
TEST_F(LocalFrameTest, EachSlotButtonUsesItsOwnSlot) {
  const int o = doc_->AddObject("o");
  doc_->currentObject = o;
  auto setFrame = [&](float value) {
    std::array<float, 16> frame;
    frame.fill(value);
    doc_->SetFloatArray(o, 772, frame.data());
  };
  setFrame(1);
  panel_->Click(ctl::kStoreFrame1);
  setFrame(2);
  panel_->Click(ctl::kStoreFrame2);
  setFrame(0);
  panel_->Click(ctl::kLoadFrame1);
  EXPECT_EQ(Obj(o).localFrame[15], 1);
  panel_->Click(ctl::kLoadFrame2);
  EXPECT_EQ(Obj(o).localFrame[0], 2);
}

}  // namespace
