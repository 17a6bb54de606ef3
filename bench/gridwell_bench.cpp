// The plug-in's refresh and operations on generated quad-grid documents of 10^4, 10^5
// and 10^6 vertices, each beside its host-call baseline (bench/host_call_baseline.h),
// natively with the headless panel. Counters per benchmark:
//   vertices        vertices in the document
//   allocs          allocations per run of the operation (operator new, counted)
//   snapshot_bytes  bytes the plug-in's selection snapshot holds afterwards
//   first_run_allocs  allocations of all untimed first runs so far in the process
//                     (where the snapshot grows), cumulative
//
//   gridwell_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <new>
#include <string>

#include "bench/operations.h"
#include "host/stand_in_host.h"
#include "panel/headless/headless_panel.h"
#include "plugin/entry_points.h"
#include "plugin/gridshift_plugin.h"

// Every allocation of the process is counted, to show that operations make none.
#include "tests/support/counting_allocator.h"

using counting_allocator::allocations;

namespace {

// Allocations of every untimed first run so far: the snapshot's growth steps.
long g_firstRunAllocations = 0;

BaselineCalls g_hostCalls;
HeadlessPanel* g_panel = nullptr;

// The document is rebuilt only when a benchmark asks for another one.
struct BuiltDocument {
  GridShape shape = {-1, 0, SelectionKind::kFaces};
  int vertices = 0;
  std::vector<std::pair<int, int>> selected;
} g_built;

standin::Document& DocumentFor(const GridShape& shape) {
  standin::Document& doc = standin::Host::Instance().document();
  const GridShape& had = g_built.shape;
  if (had.vertices != shape.vertices || had.objects != shape.objects ||
      had.selection != shape.selection) {
    g_built.vertices = BuildQuadGrid(doc, shape);
    g_built.selected = SelectedVertices(doc);
    g_built.shape = shape;
  }
  return doc;
}

void SetCounters(benchmark::State& state, long allocations) {
  state.counters["vertices"] = g_built.vertices;
  state.counters["allocs"] =
      benchmark::Counter(static_cast<double>(allocations) / state.iterations());
  state.counters["snapshot_bytes"] =
      static_cast<double>(g_plugin.Selection().m_selectionCapacity) * sizeof(SelectionEntry);
}

void PluginBenchmark(benchmark::State& state, BenchOperation operation, GridShape shape) {
  standin::Document& doc = DocumentFor(shape);
  // Setting the radios already refreshes the readouts (and so may grow the snapshot);
  // then one run: the fields take their texts' lengths.
  const long beforeFirst = allocations;
  PreparePanel(*g_panel, operation);
  RunPluginOperation(*g_panel, doc.Handle(), &MQOnEvent, operation);
  g_firstRunAllocations += allocations - beforeFirst;
  const long before = allocations;
  for (auto _ : state) RunPluginOperation(*g_panel, doc.Handle(), &MQOnEvent, operation);
  SetCounters(state, allocations - before);
  state.counters["first_run_allocs"] = static_cast<double>(g_firstRunAllocations);
}

void BaselineBenchmark(benchmark::State& state, BenchOperation operation, GridShape shape) {
  standin::Document& doc = DocumentFor(shape);
  const long before = allocations;
  for (auto _ : state) RunBaseline(g_hostCalls, doc.Handle(), operation.baseline, g_built.selected);
  SetCounters(state, allocations - before);
}

void Register(const BenchOperation& operation, GridShape shape, int size) {
  shape.vertices = size;
  const std::string suffix =
      std::string("/") + operation.name + "/" + Describe(shape) + "/" + std::to_string(size);
  // Plug-in and baseline side by side on the same document, one after the other.
  benchmark::RegisterBenchmark(("plugin" + suffix).c_str(), PluginBenchmark, operation, shape)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("baseline" + suffix).c_str(), BaselineBenchmark, operation, shape)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  standin::Host::Instance().Reset();
  if (MQInit(GRIDWELL_HOSTAPI_PATH) != 1 || !BindBaselineCalls(GRIDWELL_HOSTAPI_PATH, &g_hostCalls) ||
      MQOnEvent(standin::Host::Instance().document().Handle(), 1, nullptr) != 1) {
    std::fprintf(stderr, "gridwell_bench: could not start the plug-in on the stand-in host\n");
    return 1;
  }
  g_panel = HeadlessPanel::Current();

  // Grouped by document, so that each is built once.
  for (int size : kBenchSizes) {
    for (const GridShape& shape : kRefreshShapes) Register(kBenchOperations[0], shape, size);
    for (const GridShape& shape : kOperationShapes) {
      // The first operation, the refresh in the global frame, is registered above.
      for (size_t i = 1; i < std::size(kBenchOperations); ++i) {
        Register(kBenchOperations[i], shape, size);
      }
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
