// Generated documents for the benchmarks: square grids of quads spread over one or
// several objects, with a selection made of faces, of lines or of vertices, and the
// current object framed by a rotation and a translation (so that Local means work).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/stand_in_host.h"

enum class SelectionKind { kFaces, kLines, kVertices };

struct GridShape {
  int vertices;  // total over all objects, rounded down to whole grids
  int objects;
  SelectionKind selection;
};

std::string Describe(const GridShape& shape);

// Replaces the host's document with the grid; answers the number of vertices made.
int BuildQuadGrid(standin::Document& doc, const GridShape& shape);

// (object, vertex) of every vertex the host reports as selected, directly, as a
// corner of a selected face or as an end of a selected line, in document order:
// what the host-call baseline walks.
std::vector<std::pair<int, int>> SelectedVertices(const standin::Document& doc);
