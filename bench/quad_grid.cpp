#include "bench/quad_grid.h"

#include <cmath>

std::string Describe(const GridShape& shape) {
  const char* kinds[] = {"faces", "lines", "vertices"};
  return std::string(kinds[static_cast<int>(shape.selection)]) + "/" +
         std::to_string(shape.objects) + (shape.objects == 1 ? "obj" : "objs");
}

int BuildQuadGrid(standin::Document& doc, const GridShape& shape) {
  doc.Clear();
  const int side = static_cast<int>(std::sqrt(static_cast<double>(shape.vertices) / shape.objects));
  int made = 0;
  for (int o = 0; o < shape.objects; ++o) {
    const int object = doc.AddObject("grid");
    standin::Object& grid = *doc.ObjectAt(object);
    grid.vertices.reserve(static_cast<size_t>(side) * side);
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) doc.AddVertex(object, x * 0.5f, y * 0.25f, float(o));
    }
    made += side * side;
    for (int y = 0; y + 1 < side; ++y) {
      for (int x = 0; x + 1 < side; ++x) {
        const int v = y * side + x;
        doc.AddFace(object, {v, v + 1, v + side + 1, v + side});
      }
    }
    // Half of the document selected, in the manner of the kind asked for.
    const int faces = static_cast<int>(grid.faces.size());
    switch (shape.selection) {
      case SelectionKind::kFaces:
        for (int f = 0; f < faces; f += 2) doc.SelectFace(object, f);
        break;
      case SelectionKind::kLines:
        for (int f = 0; f < faces; f += 2) doc.SelectLine(object, f, 0);
        break;
      case SelectionKind::kVertices:
        for (int v = 0; v < side * side; v += 2) doc.SelectVertex(object, v);
        break;
    }
  }
  // A frame turned 30 degrees about Z and moved.
  const float c = std::cos(0.5235988f), s = std::sin(0.5235988f);
  doc.SetGlobalMatrix(0, {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 3, -2, 1, 1});
  doc.currentObject = 0;
  return made;
}

std::vector<std::pair<int, int>> SelectedVertices(const standin::Document& doc) {
  std::vector<std::pair<int, int>> selected;
  for (int o = 0; o < doc.ObjectCount(); ++o) {
    const standin::Object* object = doc.ObjectAt(o);
    if (object == nullptr) continue;
    const int count = static_cast<int>(object->vertices.size());
    std::vector<bool> marked(object->vertexSelected.begin(), object->vertexSelected.end());
    auto mark = [&](int v) {
      if (v >= 0 && v < count) marked[v] = true;
    };
    for (const standin::Face& face : object->faces) {
      const int n = static_cast<int>(face.points.size());
      if (n >= 3 && face.selected) {
        for (int p : face.points) mark(p);
        continue;
      }
      const int lines = n >= 3 ? n : (n == 2 ? 1 : 0);
      for (int k = 0; k < lines; ++k) {
        if (face.lineSelected[k]) {
          mark(face.points[k]);
          mark(face.points[(k + 1) % n]);
        }
      }
    }
    for (int v = 0; v < count; ++v) {
      if (marked[v]) selected.emplace_back(o, v);
    }
  }
  return selected;
}
