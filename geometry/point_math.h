// Points and the host's 4x4 matrices. Points are row vectors on the left (p' = p·m),
// so the translation sits in m[12], m[13], m[14]; the fourth column is never read.
//
// Every output coordinate is formed in double precision from float inputs and rounded
// to float once, when it is stored. A chain of steps rounds after each step, which is
// what makes the native and the Windows build agree bit for bit.
#pragma once

#include "plugin/gridshift_plugin.h"

// Sixteen floats as MQDoc_GetGlobalMatrix fills them; m[r * 4 + c] is row r, column c.
struct Matrix4 {
  float m[16];
};

// Inline: they run once or more per selected vertex in every walk.

// p·m including the translation row.
inline Point3 TransformPoint(const Point3& p, const Matrix4& matrix) {
  const float* m = matrix.m;
  const double x = p.x, y = p.y, z = p.z;
  return {static_cast<float>(x * m[0] + y * m[4] + z * m[8] + m[12]),
          static_cast<float>(x * m[1] + y * m[5] + z * m[9] + m[13]),
          static_cast<float>(x * m[2] + y * m[6] + z * m[10] + m[14])};
}

// p·m without the translation row: turns a vector, never moves it.
inline Point3 TransformDirection(const Point3& p, const Matrix4& matrix) {
  const float* m = matrix.m;
  const double x = p.x, y = p.y, z = p.z;
  return {static_cast<float>(x * m[0] + y * m[4] + z * m[8]),
          static_cast<float>(x * m[1] + y * m[5] + z * m[9]),
          static_cast<float>(x * m[2] + y * m[6] + z * m[10])};
}

// a + b and a - b, each component rounded to float.
inline Point3 Add(const Point3& a, const Point3& b) {
  return {static_cast<float>(static_cast<double>(a.x) + b.x),
          static_cast<float>(static_cast<double>(a.y) + b.y),
          static_cast<float>(static_cast<double>(a.z) + b.z)};
}

inline Point3 Subtract(const Point3& a, const Point3& b) {
  return {static_cast<float>(static_cast<double>(a.x) - b.x),
          static_cast<float>(static_cast<double>(a.y) - b.y),
          static_cast<float>(static_cast<double>(a.z) - b.z)};
}

bool IsFinite(const Point3& p);

// Component 1 (x), 2 (y) or 3 (z); any other axis answers null.
float* AxisComponent(Point3& p, int axis);
