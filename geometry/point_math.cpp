#include "geometry/point_math.h"

#include <cmath>

Point3 TransformPoint(const Point3& p, const Matrix4& matrix) {
  const float* m = matrix.m;
  const double x = p.x, y = p.y, z = p.z;
  return {static_cast<float>(x * m[0] + y * m[4] + z * m[8] + m[12]),
          static_cast<float>(x * m[1] + y * m[5] + z * m[9] + m[13]),
          static_cast<float>(x * m[2] + y * m[6] + z * m[10] + m[14])};
}

Point3 TransformDirection(const Point3& p, const Matrix4& matrix) {
  const float* m = matrix.m;
  const double x = p.x, y = p.y, z = p.z;
  return {static_cast<float>(x * m[0] + y * m[4] + z * m[8]),
          static_cast<float>(x * m[1] + y * m[5] + z * m[9]),
          static_cast<float>(x * m[2] + y * m[6] + z * m[10])};
}

Point3 Add(const Point3& a, const Point3& b) {
  return {static_cast<float>(static_cast<double>(a.x) + b.x),
          static_cast<float>(static_cast<double>(a.y) + b.y),
          static_cast<float>(static_cast<double>(a.z) + b.z)};
}

Point3 Subtract(const Point3& a, const Point3& b) {
  return {static_cast<float>(static_cast<double>(a.x) - b.x),
          static_cast<float>(static_cast<double>(a.y) - b.y),
          static_cast<float>(static_cast<double>(a.z) - b.z)};
}

bool IsFinite(const Point3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

float* AxisComponent(Point3& p, int axis) {
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
