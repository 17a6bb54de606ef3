// The before-and-after table of a scenario run: rows that record what the host's
// document holds at a moment (how many vertices are selected, their centre and the
// size of their bounding box, in global coordinates), printed as a table a person
// can read. Measured by the host itself, independently of the plug-in's readouts.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "host/stand_in_host.h"

namespace standin {

struct ReportRow {
  std::string label;
  int selected = 0;
  double centre[3] = {};
  double size[3] = {};  // maximum - minimum per axis
};

// A vertex counts as selected when it is selected itself, is a corner of a selected
// face or an end of a selected line: what the plug-in works on.
std::vector<std::vector<bool>> SelectedVertices(const Document& doc);

ReportRow MeasureSelection(const Document& doc, const std::string& label);

// Label, count, centre x y z, size x y z, "%.3f" numbers in aligned columns.
void PrintReport(const std::vector<ReportRow>& rows, std::ostream& out);

}  // namespace standin
