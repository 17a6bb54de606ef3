// Points and the host's 4x4 matrices. Points are row vectors on the left (p' = p·m),
// so the translation sits in m[12], m[13], m[14]; the fourth column is never read.
//
// Every output coordinate is formed in double precision from float inputs and rounded
// to float once, when it is stored. A chain of steps rounds after each step, which is
// what makes the native and the Windows build agree bit for bit.
#pragma once

#include <cmath>

// A vertex position or a direction, as the host stores it.
struct Point3 {
  float x, y, z;
};

// Sixteen floats as MQDoc_GetGlobalMatrix fills them; m[r * 4 + c] is row r, column c.
struct Matrix4 {
  float m[16];
};

// Two doubles side by side, one SSE2 register (GCC and Clang vector extension): the
// x and y sums of a transform are formed together, each lane with the same
// operations in the same order as alone, so the bits are the same.
typedef double DoublePair __attribute__((vector_size(16)));

// The twelve elements of a Matrix4 that a point transform reads, widened to double
// once per operation rather than once per vertex. Widening is exact, so a transform
// by either gives the same bits.
struct WideMatrix {
  DoublePair xy[4];  // columns x and y of rows 0 to 2 (the turn) and 3 (the move)
  double z[4];       // column z of the same rows
};

inline WideMatrix Widen(const Matrix4& matrix) {
  WideMatrix wide;
  for (int r = 0; r < 4; ++r) {
    const float* row = matrix.m + r * 4;
    wide.xy[r] = DoublePair{row[0], row[1]};
    wide.z[r] = row[2];
  }
  return wide;
}

// Inline: they run once or more per selected vertex in every walk.

// p·m including the translation row, each sum formed left to right in double:
// x' = x·m[0] + y·m[4] + z·m[8] + m[12], and so on for y' and z'.
inline Point3 TransformPoint(const Point3& p, const WideMatrix& m) {
  const double x = p.x, y = p.y, z = p.z;
  const DoublePair xy = DoublePair{x, x} * m.xy[0] + DoublePair{y, y} * m.xy[1] +
                        DoublePair{z, z} * m.xy[2] + m.xy[3];
  return {static_cast<float>(xy[0]), static_cast<float>(xy[1]),
          static_cast<float>(x * m.z[0] + y * m.z[1] + z * m.z[2] + m.z[3])};
}

// p·m without the translation row: turns a vector, never moves it.
inline Point3 TransformDirection(const Point3& p, const WideMatrix& m) {
  const double x = p.x, y = p.y, z = p.z;
  const DoublePair xy =
      DoublePair{x, x} * m.xy[0] + DoublePair{y, y} * m.xy[1] + DoublePair{z, z} * m.xy[2];
  return {static_cast<float>(xy[0]), static_cast<float>(xy[1]),
          static_cast<float>(x * m.z[0] + y * m.z[1] + z * m.z[2])};
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
