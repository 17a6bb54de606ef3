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

// p·m including the translation row.
Point3 TransformPoint(const Point3& p, const Matrix4& matrix);
// p·m without the translation row: turns a vector, never moves it.
Point3 TransformDirection(const Point3& p, const Matrix4& matrix);

// a + b and a - b, each component rounded to float.
Point3 Add(const Point3& a, const Point3& b);
Point3 Subtract(const Point3& a, const Point3& b);

bool IsFinite(const Point3& p);

// Component 1 (x), 2 (y) or 3 (z); any other axis answers null.
float* AxisComponent(Point3& p, int axis);
