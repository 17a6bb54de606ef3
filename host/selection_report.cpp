#include "host/selection_report.h"

#include <algorithm>
#include <cstdio>

namespace standin {

std::vector<std::vector<bool>> SelectedVertices(const Document& doc) {
  std::vector<std::vector<bool>> selected(doc.ObjectCount());
  for (int i = 0; i < doc.ObjectCount(); ++i) {
    const Object* o = doc.ObjectAt(i);
    if (o == nullptr) continue;
    std::vector<bool>& marks = selected[i];
    marks.assign(o->vertices.size(), false);
    for (size_t v = 0; v < o->vertices.size(); ++v) {
      if (v < o->vertexSelected.size() && o->vertexSelected[v]) marks[v] = true;
    }
    auto mark = [&](int v) {
      if (v >= 0 && v < static_cast<int>(marks.size())) marks[v] = true;
    };
    for (const Face& f : o->faces) {
      const size_t n = f.points.size();
      for (size_t k = 0; k < n; ++k) {
        if (f.selected) mark(f.points[k]);
        if (k < f.lineSelected.size() && f.lineSelected[k]) {
          mark(f.points[k]);
          mark(f.points[(k + 1) % n]);
        }
      }
    }
  }
  return selected;
}

ReportRow MeasureSelection(const Document& doc, const std::string& label) {
  ReportRow row;
  row.label = label;
  const auto selected = SelectedVertices(doc);
  double sum[3] = {}, low[3] = {}, high[3] = {};
  for (int i = 0; i < doc.ObjectCount(); ++i) {
    const Object* o = doc.ObjectAt(i);
    for (size_t v = 0; o != nullptr && v < o->vertices.size(); ++v) {
      if (!selected[i][v]) continue;
      const double p[3] = {o->vertices[v].x, o->vertices[v].y, o->vertices[v].z};
      for (int a = 0; a < 3; ++a) {
        sum[a] += p[a];
        low[a] = row.selected == 0 ? p[a] : std::min(low[a], p[a]);
        high[a] = row.selected == 0 ? p[a] : std::max(high[a], p[a]);
      }
      ++row.selected;
    }
  }
  for (int a = 0; a < 3 && row.selected > 0; ++a) {
    row.centre[a] = sum[a] / row.selected;
    row.size[a] = high[a] - low[a];
  }
  return row;
}

void PrintReport(const std::vector<ReportRow>& rows, std::ostream& out) {
  size_t labelWidth = 4;
  for (const ReportRow& r : rows) labelWidth = std::max(labelWidth, r.label.size());
  const int w = static_cast<int>(labelWidth);
  char line[512];
  std::snprintf(line, sizeof line, "%-*s  %8s  %10s %10s %10s  %10s %10s %10s\n", w, "step",
                "selected", "centre x", "centre y", "centre z", "size x", "size y", "size z");
  out << line;
  out << std::string(labelWidth + 2 + 8 + 2 + 32 + 2 + 32, '-') << "\n";
  for (const ReportRow& r : rows) {
    std::snprintf(line, sizeof line, "%-*s  %8d  %10.3f %10.3f %10.3f  %10.3f %10.3f %10.3f\n", w,
                  r.label.c_str(), r.selected, r.centre[0], r.centre[1], r.centre[2], r.size[0],
                  r.size[1], r.size[2]);
    out << line;
  }
}

}  // namespace standin
