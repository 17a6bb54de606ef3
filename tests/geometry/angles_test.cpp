// NormalizeDegrees: the stepwise loop's result wherever that loop ends, and an answer in
// [0, 360] everywhere else.
#include "geometry/angles.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "tests/geometry/station_fixture.h"

namespace {

// The definition, one turn per pass.
float StepwiseDegrees(float x) {
  while (x < 0) x = static_cast<float>(x + 360.0);
  while (x > 360) x = static_cast<float>(x - 360.0);
  return x;
}

TEST(NormalizeDegrees, KeepsBothEndsOfTheTurn) {
  EXPECT_EQ(NormalizeDegrees(360), 360);
  EXPECT_EQ(NormalizeDegrees(720), 360);
  EXPECT_EQ(Bits(NormalizeDegrees(-360)), Bits(0.0f));
  EXPECT_EQ(NormalizeDegrees(-30), 330);
  EXPECT_EQ(NormalizeDegrees(400), 40);
}

// Sampled in every binade up to 2^33, where steps of 360 stop being exact (from 2^27)
// and the stepwise result depends on how each step rounds.
TEST(NormalizeDegrees, MatchesTheStepwiseLoopBelowTwoToThe33) {
  std::mt19937 random(7);
  for (int exponent = -20; exponent < 33; ++exponent) {
    const float low = std::ldexp(1.0f, exponent);
    std::uniform_real_distribution<float> inBinade(low, 2 * low);
    // The loop being slow up there, the top binades get one sample each.
    const bool wide = exponent >= 28;
    for (int i = wide ? 2 : 0; i < (wide ? 3 : 42); ++i) {
      float x = i == 0 ? low : i == 1 ? std::nextafter(2 * low, 0.0f) : inBinade(random);
      if (x >= 8589934592.0f) continue;
      EXPECT_EQ(Bits(NormalizeDegrees(x)), Bits(StepwiseDegrees(x))) << x;
      EXPECT_EQ(Bits(NormalizeDegrees(-x)), Bits(StepwiseDegrees(-x))) << -x;
    }
  }
}

TEST(NormalizeDegrees, EndsInRangeWhereTheLoopWouldNot) {
  EXPECT_EQ(NormalizeDegrees(8589934592.0f), 152);  // 2^33 = 23860929 turns + 152
  EXPECT_EQ(NormalizeDegrees(-8589934592.0f), 208);
  // 45 * 2^33 is exactly 2^30 turns: the ends the loop itself keeps, 360 above, 0 below.
  EXPECT_EQ(NormalizeDegrees(386547056640.0f), 360);
  EXPECT_EQ(NormalizeDegrees(-386547056640.0f), 0);
  for (float x : {1e30f, -1e30f, FLT_MAX, -FLT_MAX}) {
    const float r = NormalizeDegrees(x);
    EXPECT_TRUE(r >= 0 && r <= 360) << x << " gave " << r;
  }
  EXPECT_EQ(NormalizeDegrees(std::numeric_limits<float>::infinity()), 0);
  EXPECT_EQ(NormalizeDegrees(-std::numeric_limits<float>::infinity()), 0);
  EXPECT_TRUE(std::isnan(NormalizeDegrees(std::numeric_limits<float>::quiet_NaN())));
}

}  // namespace
