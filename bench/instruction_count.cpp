// Instructions of one run of each benchmarked operation and of its host-call baseline
// at 10^5 vertices, counted by callgrind. Unlike times, the counts repeat exactly from
// run to run, so the plug-in's own work per vertex can be compared across changes on a
// noisy machine.
//
// Run under callgrind; each counted run is one dump, named by its case:
//
//   valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=DIR/cg.out
//       gridwell_instruction_count [FILTER]
//
// FILTER, when given, keeps only the cases whose name contains it.
//
// Prints one tab-separated line per case, which bench/report.py joins to the dumps:
//
//   case OPERATION SELECTION VERTICES
//
// Outside callgrind the client requests do nothing and the program only runs the cases.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "bench/operations.h"
#include "host/stand_in_host.h"
#include "panel/headless/headless_panel.h"
#include "plugin/entry_points.h"
#include "plugin/gridshift_plugin.h"

namespace {

constexpr int kCountedSize = 100000;

// Runs once to settle (field texts, snapshot size), then once counted. Costs are
// collected only around the counted run (callgrind --collect-atstart=no), which keeps
// them attributed to the functions that spent them.
template <typename Run>
void Count(const std::string& name, Run&& run) {
  run();
  CALLGRIND_TOGGLE_COLLECT;
  run();
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_DUMP_STATS_AT(name.c_str());
}

const char* g_filter = nullptr;

void CountCase(HeadlessPanel& panel, const BaselineCalls& hostCalls, const BenchOperation& operation,
               GridShape shape) {
  const std::string suffix = std::string(operation.name) + "/" + Describe(shape);
  if (g_filter != nullptr && suffix.find(g_filter) == std::string::npos) return;
  standin::Document& doc = standin::Host::Instance().document();
  shape.vertices = kCountedSize;
  const int vertices = BuildQuadGrid(doc, shape);
  const auto selected = SelectedVertices(doc);
  PreparePanel(panel, operation);
  Count("plugin/" + suffix,
        [&] { RunPluginOperation(panel, doc.Handle(), &MQOnEvent, operation); });
  Count("baseline/" + suffix,
        [&] { RunBaseline(hostCalls, doc.Handle(), operation.baseline, selected); });
  std::printf("case\t%s\t%s\t%d\n", operation.name, Describe(shape).c_str(), vertices);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) g_filter = argv[1];
  standin::Host::Instance().Reset();
  BaselineCalls hostCalls;
  if (MQInit(GRIDWELL_HOSTAPI_PATH) != 1 || !BindBaselineCalls(GRIDWELL_HOSTAPI_PATH, &hostCalls) ||
      MQOnEvent(standin::Host::Instance().document().Handle(), 1, nullptr) != 1) {
    std::fprintf(stderr, "gridwell_instruction_count: could not start the plug-in\n");
    return 1;
  }
  HeadlessPanel& panel = *HeadlessPanel::Current();
  for (const GridShape& shape : kRefreshShapes) {
    CountCase(panel, hostCalls, kBenchOperations[0], shape);
  }
  for (size_t i = 1; i < std::size(kBenchOperations); ++i) {
    for (const GridShape& shape : kOperationShapes) {
      CountCase(panel, hostCalls, kBenchOperations[i], shape);
    }
  }
  MQOnEvent(standin::Host::Instance().document().Handle(), 2, nullptr);
  return 0;
}
