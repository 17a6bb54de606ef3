// Turning the selection by three angles about the X, Y and Z axes of the global or the
// local frame: Y first, then X, then Z, about the frame's origin.
#include <cmath>

#include "geometry/angles.h"
#include "geometry/document_access.h"
#include "geometry/point_math.h"
#include "geometry/selection_walk.h"
#include "panel/control_ids.h"
#include "panel/station_panel.h"
#include "plugin/gridshift_plugin.h"

namespace {

constexpr Matrix4 kIdentity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

struct SineCosine {
  float s, c;
};

SineCosine TurnOf(float degrees) {
  const float radians = DegreesToRadians(NormalizeDegrees(degrees));
  return {static_cast<float>(std::sin(static_cast<double>(radians))),
          static_cast<float>(std::cos(static_cast<double>(radians)))};
}

// Turns +Y towards +Z.
Matrix4 RotationAboutX(float degrees) {
  const SineCosine t = TurnOf(degrees);
  Matrix4 r = kIdentity;
  r.m[5] = t.c;
  r.m[6] = t.s;
  r.m[9] = -t.s;
  r.m[10] = t.c;
  return r;
}

// Turns +Z towards +X.
Matrix4 RotationAboutY(float degrees) {
  const SineCosine t = TurnOf(degrees);
  Matrix4 r = kIdentity;
  r.m[0] = t.c;
  r.m[2] = -t.s;
  r.m[8] = t.s;
  r.m[10] = t.c;
  return r;
}

// Turns +X towards +Y.
Matrix4 RotationAboutZ(float degrees) {
  const SineCosine t = TurnOf(degrees);
  Matrix4 r = kIdentity;
  r.m[0] = t.c;
  r.m[1] = t.s;
  r.m[4] = -t.s;
  r.m[5] = t.c;
  return r;
}

}  // namespace

bool GridshiftPlugin::RotateSelection(MQDocument doc) {
  if (m_panel == nullptr) return true;

  const RotationTriple angles = ReadRotationFields();
  // The fields show the angles as read (400.000 stays 400.000); only the rotation's
  // own copy is brought into a whole turn.
  WriteRotationFields(angles.yRow, angles.xRow, angles.zRow);
  // An angle that read as infinity or NaN names no turn: nothing turns at all.
  const bool usable =
      std::isfinite(angles.yRow) && std::isfinite(angles.xRow) && std::isfinite(angles.zRow);

  // An axis whose angle reads 0 (or -0) is skipped, not applied as an identity, so all
  // zeros leave every vertex bit for bit; 360 is not skipped.
  const bool turnY = angles.yRow != 0;
  const bool turnX = angles.xRow != 0;
  const bool turnZ = angles.zRow != 0;
  const WideMatrix aboutY = Widen(turnY && usable ? RotationAboutY(angles.yRow) : kIdentity);
  const WideMatrix aboutX = Widen(turnX && usable ? RotationAboutX(angles.xRow) : kIdentity);
  const WideMatrix aboutZ = Widen(turnZ && usable ? RotationAboutZ(angles.zRow) : kIdentity);

  RepositionSelection(doc, usable, [&](const Point3& v, bool inGlobal, const FrameMatrices& frame) {
    Point3 w = inGlobal ? v : TransformPoint(v, frame.toLocal);
    if (turnY) w = TransformDirection(w, aboutY);
    if (turnX) w = TransformDirection(w, aboutX);
    if (turnZ) w = TransformDirection(w, aboutZ);
    return inGlobal ? w : TransformPoint(w, frame.toGlobal);
  });
  return true;
}
