#include "geometry/rotate.h"

#include <cmath>

#include "geometry/angles.h"

namespace {

constexpr Matrix4 kIdentity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

struct SineCosine {
  float s, c;
};

SineCosine TurnOf(float degrees) {
  const float radians = DegreesToRadians(NormalizeDegrees(degrees));
  return {static_cast<float>(std::sin(static_cast<double>(radians))),
          static_cast<float>(std::cos(static_cast<double>(radians)))};
}

// Turns +Y towards +Z.
Matrix4 RotationAboutX(float degrees) {
  const SineCosine t = TurnOf(degrees);
  Matrix4 r = kIdentity;
  r.m[5] = t.c;
  r.m[6] = t.s;
  r.m[9] = -t.s;
  r.m[10] = t.c;
  return r;
}

// Turns +Z towards +X.
Matrix4 RotationAboutY(float degrees) {
  const SineCosine t = TurnOf(degrees);
  Matrix4 r = kIdentity;
  r.m[0] = t.c;
  r.m[2] = -t.s;
  r.m[8] = t.s;
  r.m[10] = t.c;
  return r;
}

// Turns +X towards +Y.
Matrix4 RotationAboutZ(float degrees) {
  const SineCosine t = TurnOf(degrees);
  Matrix4 r = kIdentity;
  r.m[0] = t.c;
  r.m[1] = t.s;
  r.m[4] = -t.s;
  r.m[5] = t.c;
  return r;
}

}  // namespace

Turn::Turn(const RotationTriple& angles)
    : m_usable(std::isfinite(angles.yRow) && std::isfinite(angles.xRow) &&
               std::isfinite(angles.zRow)),
      m_turnY(angles.yRow != 0),
      m_turnX(angles.xRow != 0),
      m_turnZ(angles.zRow != 0),
      m_aboutY(Widen(m_turnY && m_usable ? RotationAboutY(angles.yRow) : kIdentity)),
      m_aboutX(Widen(m_turnX && m_usable ? RotationAboutX(angles.xRow) : kIdentity)),
      m_aboutZ(Widen(m_turnZ && m_usable ? RotationAboutZ(angles.zRow) : kIdentity)) {}
