// Points and the host's 4x4 matrices. Points are row vectors on the left (p' = p·m),
// so the translation sits in m[12], m[13], m[14]; the fourth column is never read.
//
// Every output coordinate is formed in double precision from float inputs and rounded
// to float once, when it is stored. A chain of steps rounds after each step, which is
// what makes the native and the Windows build agree bit for bit.
#pragma once

#include <cmath>

#include "plugin/gridshift_plugin.h"

// Sixteen floats as MQDoc_GetGlobalMatrix fills them; m[r * 4 + c] is row r, column c.
struct Matrix4 {
  float m[16];
};

// The twelve elements of a Matrix4 that a point transform reads, widened to double
// once per operation rather than once per vertex. Widening is exact, so a transform
// by either gives the same bits.
struct WideMatrix {
  double row[4][3];  // rows 0 to 2 turn, row 3 is the translation
};

inline WideMatrix Widen(const Matrix4& matrix) {
  WideMatrix wide;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 3; ++c) wide.row[r][c] = matrix.m[r * 4 + c];
  }
  return wide;
}

// Inline: they run once or more per selected vertex in every walk.

// p·m including the translation row, each sum formed left to right in double.
inline Point3 TransformPoint(const Point3& p, const WideMatrix& m) {
  const double x = p.x, y = p.y, z = p.z;
  const double(&r)[4][3] = m.row;
  return {static_cast<float>(x * r[0][0] + y * r[1][0] + z * r[2][0] + r[3][0]),
          static_cast<float>(x * r[0][1] + y * r[1][1] + z * r[2][1] + r[3][1]),
          static_cast<float>(x * r[0][2] + y * r[1][2] + z * r[2][2] + r[3][2])};
}

inline Point3 TransformPoint(const Point3& p, const Matrix4& matrix) {
  return TransformPoint(p, Widen(matrix));
}

// p·m without the translation row: turns a vector, never moves it.
inline Point3 TransformDirection(const Point3& p, const WideMatrix& m) {
  const double x = p.x, y = p.y, z = p.z;
  const double(&r)[4][3] = m.row;
  return {static_cast<float>(x * r[0][0] + y * r[1][0] + z * r[2][0]),
          static_cast<float>(x * r[0][1] + y * r[1][1] + z * r[2][1]),
          static_cast<float>(x * r[0][2] + y * r[1][2] + z * r[2][2])};
}

// a + b and a - b, each component rounded to float. A sum of two floats formed in
// double and rounded to float is the correctly rounded float sum (double carries more
// than twice float's precision), so the float operation gives the same bits without
// widening.
inline Point3 Add(const Point3& a, const Point3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

inline Point3 Subtract(const Point3& a, const Point3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

inline bool IsFinite(const Point3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Component 1 (x), 2 (y) or 3 (z); any other axis answers null.
inline float* AxisComponent(Point3& p, int axis) {
  switch (axis) {
    case 1:
      return &p.x;
    case 2:
      return &p.y;
    case 3:
      return &p.z;
    default:
      return nullptr;
  }
}
