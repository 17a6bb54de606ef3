#include "host/frame_from_arrays.h"

#include <cmath>

namespace standin {

bool FrameFromLocalArrays(const std::array<float, 3>& angles, const std::array<float, 3>& origin,
                          Matrix* m) {
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(angles[i]) || !std::isfinite(origin[i])) return false;
  }
  // The host's own conversion, with a full-precision pi.
  constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
  const double h = angles[0] * kRadiansPerDegree;
  const double e = angles[1] * kRadiansPerDegree;
  const double sh = std::sin(h), ch = std::cos(h), se = std::sin(e), ce = std::cos(e);
  const double rows[3][3] = {
      {ch, 0.0, -sh},
      {se * sh, ce, se * ch},
      {ce * sh, -se, ce * ch},
  };
  Matrix result = kIdentity;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) result[r * 4 + c] = static_cast<float>(rows[r][c]);
  }
  result[12] = origin[0];
  result[13] = origin[1];
  result[14] = origin[2];
  *m = result;
  return true;
}

}  // namespace standin
