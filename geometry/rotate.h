// Turning points about the X, Y and Z axes of the global or the local frame by three
// angles in degrees: Y first, then X, then Z, about the frame's origin.
#pragma once

#include "geometry/point_math.h"
#include "geometry/reposition.h"

// The three angles as the rotation fields deliver them: Y row first, the order the
// turns are applied in.
struct RotationTriple {
  float yRow, xRow, zRow;
};

class Turn {
 public:
  explicit Turn(const RotationTriple& angles);

  // False when an angle is infinite or NaN: such an angle names no turn, and nothing
  // turns at all.
  bool IsUsable() const { return m_usable; }

  // p turned in the global frame, or in the local one and brought back.
  Point3 Apply(const Point3& p, bool inGlobal, const FrameMatrices& frame) const {
    Point3 w = inGlobal ? p : TransformPoint(p, frame.toLocal);
    if (m_turnY) w = TransformDirection(w, m_aboutY);
    if (m_turnX) w = TransformDirection(w, m_aboutX);
    if (m_turnZ) w = TransformDirection(w, m_aboutZ);
    return inGlobal ? w : TransformPoint(w, frame.toGlobal);
  }

 private:
  bool m_usable;
  // An axis whose angle reads 0 (or -0) is skipped, not applied as an identity, so
  // all zeros leave every vertex bit for bit; 360 is not skipped.
  bool m_turnY, m_turnX, m_turnZ;
  WideMatrix m_aboutY, m_aboutX, m_aboutZ;
};
