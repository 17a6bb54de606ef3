// Turning the selection about the global or local axes: Y first, then X, then Z.
#include <cmath>
#include <string>

#include "geometry/rotate.h"
#include "tests/geometry/station_fixture.h"

namespace {

// The turn itself, on a point in the global frame: x, y and z are the angles of the
// X, Y and Z rows.
standin::Vertex TurnPoint(standin::Vertex p, float x, float y, float z) {
  const Turn turn(RotationTriple{y, x, z});
  const FrameMatrices unused = {};
  const Point3 r = turn.Apply({p.x, p.y, p.z}, true, unused);
  return {r.x, r.y, r.z};
}

// The rotate operation on the panel: the single selected vertex p turned by the angles
// typed into the X, Y, Z rows.
class RotateTest : public StationTest {
 protected:
  standin::Vertex Turn(standin::Vertex p, const char* x, const char* y, const char* z) {
    doc_->Clear();
    doc_->currentObject = SelectedObject({p});
    SetTexts(kRotation, x, y, z);
    Run(&GridshiftPlugin::RotateSelection);
    return At(0, 0);
  }
};

TEST(TurnTest, QuarterTurnAboutZUsesTheFloatRadiansOfTheDecimalConstant) {
  const standin::Vertex r = TurnPoint({1, 0, 0}, 0, 0, 90);
  // cos of 1.5707963705062866 rounded to float.
  EXPECT_WITHIN_ONE_ULP(r.x, -4.371139e-08f);
  EXPECT_EQ(r.y, 1.0f);
  EXPECT_EQ(r.z, 0.0f);
}

TEST(TurnTest, YIsAppliedBeforeX) {
  const standin::Vertex r = TurnPoint({0, 0, 1}, 90, 90, 0);
  EXPECT_NEAR(r.x, 1, 1e-6);  // X first would have given about (0, -1, 0)
  EXPECT_NEAR(r.y, 0, 1e-6);
  EXPECT_NEAR(r.z, 0, 1e-6);
}

TEST(TurnTest, AnglesAreTakenInWholeTurns) {
  EXPECT_EQ(TurnPoint({1, 2, 3}, 0, -30, 0), TurnPoint({1, 2, 3}, 0, 330, 0));
  EXPECT_EQ(TurnPoint({1, 2, 3}, 400, 0, 0), TurnPoint({1, 2, 3}, 40, 0, 0));
}

TEST_F(RotateTest, AnglesAreShownAsTypedAndTurnInWholeTurns) {
  const standin::Vertex t400 = Turn({1, 2, 3}, "400", "0", "0");
  EXPECT_EQ(Texts(kRotation), "400.000 0.000 0.000");
  EXPECT_EQ(t400, TurnPoint({1, 2, 3}, 40, 0, 0));
  // The rows reach their own axes: Y first, then X, then Z.
  EXPECT_EQ(Turn({1.1f, 2.3f, -0.7f}, "45", "30", "60"), TurnPoint({1.1f, 2.3f, -0.7f}, 45, 30, 60));
}

// One turn about one axis as the rotation defines it: float sine and cosine of the
// float radians, each new coordinate formed in double and rounded to float.
struct Turned {
  float a, b;
};
Turned TurnPair(float a, float b, float degrees) {
  const float r = static_cast<float>((static_cast<double>(degrees) * 3.14159265) / 180.0);
  const double c = static_cast<float>(std::cos(static_cast<double>(r)));
  const double s = static_cast<float>(std::sin(static_cast<double>(r)));
  return {static_cast<float>(a * c - b * s), static_cast<float>(a * s + b * c)};
}

TEST(TurnTest, EachTurnIsRoundedToFloatBeforeTheNext) {
  // Y by 30, then X by 45, then Z by 60, each turn on the float result of the last;
  // one matrix made of the three would round only once.
  float x = 1.1f, y = 2.3f, z = -0.7f;
  Turned t = TurnPair(z, x, 30);  // about Y: +Z towards +X
  z = t.a, x = t.b;
  t = TurnPair(y, z, 45);  // about X: +Y towards +Z
  y = t.a, z = t.b;
  t = TurnPair(x, y, 60);  // about Z: +X towards +Y
  x = t.a, y = t.b;
  const standin::Vertex r = TurnPoint({1.1f, 2.3f, -0.7f}, 45, 30, 60);
  EXPECT_EQ(Bits(r.x), Bits(x));
  EXPECT_EQ(Bits(r.y), Bits(y));
  EXPECT_EQ(Bits(r.z), Bits(z));
}

// One axis at a time, bit for bit, in both directions. 39.5 degrees is an angle whose
// float radians under the decimal constant differ from those under a more precise pi,
// so the constant shows in the last bits; -39.5 turns as 320.5 does.
TEST(TurnTest, EachAxisTurnsItsOwnPairOfCoordinates) {
  const float precisePi = static_cast<float>((39.5 * 3.14159265358979) / 180.0);
  ASSERT_NE(static_cast<float>((39.5 * 3.14159265) / 180.0), precisePi);
  const standin::Vertex p = {1.5f, -2.25f, 3.125f};
  const struct {
    float x, y, z;
    char axis;
    float degrees;
  } turns[] = {
      {39.5f, 0, 0, 'x', 39.5f}, {-39.5f, 0, 0, 'x', 320.5f}, {0, 39.5f, 0, 'y', 39.5f},
      {0, -39.5f, 0, 'y', 320.5f}, {0, 0, 39.5f, 'z', 39.5f}, {0, 0, -39.5f, 'z', 320.5f},
  };
  for (const auto& turn : turns) {
    SCOPED_TRACE(std::to_string(turn.x) + " " + std::to_string(turn.y) + " " +
                 std::to_string(turn.z));
    standin::Vertex expected = p;
    if (turn.axis == 'x') {  // +Y towards +Z
      const Turned t = TurnPair(p.y, p.z, turn.degrees);
      expected.y = t.a, expected.z = t.b;
    } else if (turn.axis == 'y') {  // +Z towards +X
      const Turned t = TurnPair(p.z, p.x, turn.degrees);
      expected.z = t.a, expected.x = t.b;
    } else {  // +X towards +Y
      const Turned t = TurnPair(p.x, p.y, turn.degrees);
      expected.x = t.a, expected.y = t.b;
    }
    const standin::Vertex r = TurnPoint(p, turn.x, turn.y, turn.z);
    EXPECT_EQ(Bits(r.x), Bits(expected.x));
    EXPECT_EQ(Bits(r.y), Bits(expected.y));
    EXPECT_EQ(Bits(r.z), Bits(expected.z));
  }
}

TEST(TurnTest, ZeroAnglesAreSkippedButAFullTurnIsNot) {
  const standin::Vertex same = TurnPoint({-0.0f, 1.1f, 2.2f}, 0, -0.0f, 0);
  EXPECT_EQ(Bits(same.x), Bits(-0.0f));
  EXPECT_EQ(same.y, 1.1f);
  EXPECT_EQ(same.z, 2.2f);
  const standin::Vertex full = TurnPoint({1, 0, 0}, 0, 0, 360);
  EXPECT_EQ(full.x, 1.0f);
  EXPECT_GT(full.y, 1e-7f);  // sin(6.2831854820251465) is about 1.7e-7
  EXPECT_LT(full.y, 2e-7f);
}

TEST(TurnTest, AnAngleThatIsNotFiniteMakesTheTurnUnusable) {
  EXPECT_TRUE(Turn(RotationTriple{0, 30, 0}).IsUsable());
  EXPECT_FALSE(Turn(RotationTriple{INFINITY, 30, 0}).IsUsable());
  EXPECT_FALSE(Turn(RotationTriple{0, 30, NAN}).IsUsable());
}

TEST_F(RotateTest, AnAngleThatIsNotFiniteTurnsNothing) {
  const standin::Vertex r = Turn({1, 2, 3}, "30", std::string(300, '9').c_str(), "0");
  EXPECT_EQ(r, (standin::Vertex{1, 2, 3}));
  EXPECT_EQ(Texts(kRotation), "30.000 inf 0.000");
  EXPECT_EQ(Turn({1, 2, 3}, "nan", "0", "0"), (standin::Vertex{1, 2, 3}));
}

}  // namespace
