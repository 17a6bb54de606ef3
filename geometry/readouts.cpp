#include "geometry/readouts.h"

#include <xmmintrin.h>

namespace {

// The running sum and per-axis extremes of the measured points, x, y and z in the
// first three lanes of one SSE register each. Lane by lane the operations are those
// of the plain float code, so the bits are the same: a float add is the sum rounded
// to float, and max (min) keeps the running value unless the point is greater
// (smaller), so a NaN component never replaces a running value. Kept in three
// registers rather than nine floats, they cost three loads and stores around the host
// call of each vertex instead of eighteen.
class Measure {
 public:
  void Include(const Point3& p) {
    const __m128 v = _mm_setr_ps(p.x, p.y, p.z, 0);
    sum_ = _mm_add_ps(sum_, v);
    if (count_ == 0) {
      max_ = min_ = v;
    } else {
      max_ = _mm_max_ps(v, max_);  // v where v > max, else max
      min_ = _mm_min_ps(v, min_);  // v where v < min, else min
    }
    ++count_;
  }
  int count() const { return count_; }
  Point3 sum() const { return Lanes(sum_); }
  Point3 max() const { return Lanes(max_); }
  Point3 min() const { return Lanes(min_); }

 private:
  static Point3 Lanes(__m128 v) {
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, v);
    return {lanes[0], lanes[1], lanes[2]};
  }

  __m128 sum_ = _mm_setzero_ps();
  __m128 max_ = _mm_setzero_ps();
  __m128 min_ = _mm_setzero_ps();
  int count_ = 0;
};

Point3 Divide(const Point3& sum, int count) {
  const float n = static_cast<float>(count);
  return {static_cast<float>(static_cast<double>(sum.x) / n),
          static_cast<float>(static_cast<double>(sum.y) / n),
          static_cast<float>(static_cast<double>(sum.z) / n)};
}

}  // namespace

bool MeasureSelection(HostDocument doc, SelectionSnapshot& snapshot, bool inGlobal,
                      SelectionReadouts* readouts) {
  MQObject current = doc.CurrentObject();
  if (current == nullptr) return false;
  const WideMatrix toLocal = Widen(doc.GlobalInverseMatrix(current));

  // Only the frame the panel shows is measured: the other frame's sums and extremes
  // would be thrown away, and skipping them halves the work per vertex.
  Measure measure;
  snapshot.WalkSelectedVertices(doc, [&](MQObject object, int vertex) {
    const Point3 v = doc.Vertex(object, vertex);
    measure.Include(inGlobal ? v : TransformPoint(v, toLocal));
  });

  const int count = measure.count();
  readouts->centre = count > 0 ? Divide(measure.sum(), count) : Point3{0, 0, 0};
  readouts->max = measure.max();
  readouts->min = measure.min();
  return true;
}
