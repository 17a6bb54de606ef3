#include "geometry/point_math.h"

#include <cmath>

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
