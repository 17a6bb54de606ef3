// The current object's local frame as the host keeps it in per-object float arrays:
// origin and Z axis set from the selection, and whole frame blocks stored and loaded.
// The arrays are only written and read here, never interpreted: how they define the
// object's frame is the host's business.
#pragma once

#include "geometry/document_port.h"
#include "geometry/face_point_buffer.h"
#include "geometry/point_math.h"

// One stored frame block: the sixteen floats of array 772.
typedef float FrameSlot[kLocalFrameFloats];

// Puts the current object's local origin (array 771) on the first selected vertex of
// an object and its Z axis angles (array 770) along the first selected line, scanning
// the objects in order: within an object the vertices before the faces, so when the
// origin is an end of the line the line runs away from it; a later object's first
// selected vertex replaces the origin, up to the object that holds the first selected
// line. Nothing is written without a current object or a selection.
void SetLocalFrameFromSelection(HostDocument doc, FacePointBuffer& facePoints);

// (heading, elevation, 0) in degrees of line k of a face, the line from point k to the
// next point (wrapping to the first), taken from the reference vertex when that is the
// line's second end. A rising line has an elevation in [270, 360], a falling one in
// (0, 90]. (0, 0, 0) for a line that is not there, or that has no length or an end
// that is not finite.
Point3 MeasureEdgeDirection(HostDocument doc, FacePointBuffer& facePoints, int object,
                            int face, int line, int referenceVertex);

// The current object's frame block into slot, and slot back into the current object.
// Without a current object nothing changes.
void StoreLocalFrame(HostDocument doc, FrameSlot& slot);
void LoadLocalFrame(HostDocument doc, const FrameSlot& slot);
