#include "panel/centring.h"

namespace {

// One axis: centre on [refLow, refHigh], then pull inside [areaLow, areaHigh], the
// low edge winning when the panel does not fit.
int CentreOnAxis(int refLow, int refHigh, int areaLow, int areaHigh, int size) {
  // Summed in 64 bits: two far-off screen coordinates must not overflow.
  const long long sum = static_cast<long long>(refLow) + refHigh;
  int position = static_cast<int>(sum / 2) - size / 2;
  // Right edge first, then the left: a panel wider than the area ends up at its
  // left edge even when the owner sits far to the right.
  if (static_cast<long long>(position) + size > areaHigh) position = areaHigh - size;
  if (position < areaLow) position = areaLow;
  return position;
}

}  // namespace

ScreenPoint CentrePanel(const ScreenRect* reference, const ScreenRect& workArea, int width,
                        int height) {
  const ScreenRect& ref = reference != nullptr ? *reference : workArea;
  return {CentreOnAxis(ref.left, ref.right, workArea.left, workArea.right, width),
          CentreOnAxis(ref.top, ref.bottom, workArea.top, workArea.bottom, height)};
}
