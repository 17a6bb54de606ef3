// The stand-in host's reading of an object's float arrays 770 and 771 as its local
// frame, for hosts that let the plug-in's "set local origin and Z axis" button
// decide the frame that Local mode moves and turns in.
//
// Array 770 holds a heading H and an elevation E in degrees, array 771 the origin.
// The frame is the identity turned about X by E and then about Y by H:
//
//   X = ( cos H,          0,      -sin H        )   stays level: no roll
//   Y = ( sin E sin H,    cos E,   sin E cos H  )
//   Z = ( cos E sin H,   -sin E,   cos E cos H  )   the direction the angles name
//
// so (0, 0, 1) turns into Z, the axes stay perpendicular and right-handed (X x Y =
// Z), and with both angles 0 the frame is the global one moved to the origin. As a
// matrix (points are row vectors on the left) the rows are X, Y, Z and the origin.
#pragma once

#include "host/stand_in_host.h"

namespace standin {

// The frame of those arrays; false (and m untouched) when a value is not finite,
// as after a line of zero length, so that the object keeps its last usable frame.
bool FrameFromLocalArrays(const std::array<float, 3>& angles, const std::array<float, 3>& origin,
                          Matrix* m);

}  // namespace standin
