#include "geometry/angles.h"

#include <cmath>

namespace {

constexpr double kTurn = 360.0;
// From here up, x - 360 rounds back to x.
constexpr float kStepwiseLimit = 8589934592.0f;  // 2^33

float StepDownOnce(float x) { return static_cast<float>(x - kTurn); }

// The result of "while (x > floor) x = float(x - 360)" for floor 0 or 360 and
// 0 <= x < 2^33, without one pass per turn. Inside one binade every step lands on a
// multiple of the binade's unit, so after the first step (which can settle a tie
// towards an even multiple) each step removes the same amount as long as the result
// stays in the binade; those steps are taken at once. At most a few passes per binade.
float StepDown(float x, float floor) {
  while (x > floor) {
    int exponent = 0;
    std::frexp(x, &exponent);
    const double binadeLow = std::ldexp(1.0, exponent - 1);
    const float first = StepDownOnce(x);
    if (first < binadeLow || first <= floor) {
      x = first;
      continue;
    }
    const float second = StepDownOnce(first);
    if (second < binadeLow) {
      x = second;
      continue;
    }
    const double step = static_cast<double>(first) - second;
    // Further steps from second that keep the result in the binade.
    const double room = static_cast<double>(second) - kTurn - binadeLow;
    const double more = room < 0 ? 0 : std::floor(room / step) + 1;
    x = static_cast<float>(second - more * step);
  }
  return x;
}

}  // namespace

float NormalizeDegrees(float degrees) {
  if (std::isnan(degrees)) return degrees;
  if (std::isinf(degrees)) return 0;
  if (std::fabs(degrees) >= kStepwiseLimit) {
    // Exact remainder, ending where the stepwise loop ends: a positive whole number of
    // turns gives 360, a negative one 0.
    double rest = std::fmod(static_cast<double>(degrees), kTurn);
    if (rest < 0) rest += kTurn;
    if (rest == 0 && degrees > 0) rest = kTurn;
    return static_cast<float>(rest);
  }
  if (degrees < 0) {
    // x + 360 rounds exactly as -((-x) - 360), so stepping up from below zero is
    // stepping down from above it, mirrored. Adding 0 turns a final -0 into the +0
    // that -360 + 360 gives.
    return -StepDown(-degrees, 0) + 0.0f;
  }
  return StepDown(degrees, 360);
}

float DegreesToRadians(float degrees) {
  return static_cast<float>((static_cast<double>(degrees) * kPi) / 180.0);
}

float RadiansToDegrees(float radians) {
  return static_cast<float>((static_cast<double>(radians) * 180.0) / kPi);
}
