// The readouts of the selection: centre (the mean of the selected vertices, not the
// middle of the extremes), per-axis maximum and minimum, in the global frame or in the
// current object's local frame. Zero for every value when nothing is selected.
#pragma once

#include "geometry/document_port.h"
#include "geometry/point_math.h"
#include "geometry/selection_snapshot.h"

struct SelectionReadouts {
  Point3 centre;
  Point3 max;
  Point3 min;
};

// Measures the selected vertices of the snapshot, which the caller has just taken.
// False, with nothing measured, when the document has no current object.
bool MeasureSelection(HostDocument doc, SelectionSnapshot& snapshot, bool inGlobal,
                      SelectionReadouts* readouts);
