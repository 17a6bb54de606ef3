// The benchmark that runs on both builds: the plug-in loaded as a host loads it (the
// native libgridwell.so with its headless panel, or Gridwell.dll with its real panel
// under Wine), driven through its panel and host events, timed with steady_clock
// beside the host-call baseline. Prints one tab-separated line per case:
//
//   result OPERATION SELECTION VERTICES PLUGIN_MEDIAN_MS BASELINE_MEDIAN_MS
//
//   gridwell_portable_bench [REPETITIONS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/operations.h"
#include "host/plugin_module.h"
#include "host/stand_in_host.h"
#include "panel/panel_driver.h"

#ifdef _WIN32
#include "host/host_window_win32.h"
#include "host/win32_panel_driver.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Run>
double TimeMs(Run&& run) {
  const Clock::time_point start = Clock::now();
  run();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Settle() {
#ifdef _WIN32
  standin::PumpHostMessages();
#endif
}

PanelDriver* FindPanelDriver(standin::PluginModule& plugin) {
#ifdef _WIN32
  (void)plugin;
  return CreateWin32PanelDriver();
#else
  using DriverExport = PanelDriver* (*)();
  auto find = reinterpret_cast<DriverExport>(plugin.FindSymbol("GridwellPanelDriver"));
  return find == nullptr ? nullptr : find();
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
#ifdef _WIN32
  standin::CreateHostMainWindow();
#endif
  standin::Document& doc = standin::Host::Instance().Reset();
  standin::PluginModule plugin;
  std::string error;
  BaselineCalls hostCalls;
  if (!plugin.Load(GRIDWELL_PLUGIN_PATH, &error) ||
      plugin.exports().MQInit(standin::HostModulePath()) != 1 ||
      !BindBaselineCalls(standin::HostModulePath(), &hostCalls) ||
      plugin.exports().MQOnEvent(doc.Handle(), 1, nullptr) != 1) {
    std::fprintf(stderr, "gridwell_portable_bench: could not start the plug-in %s\n",
                 error.c_str());
    return 1;
  }
  PanelDriver* panel = FindPanelDriver(plugin);
  if (panel == nullptr) {
    std::fprintf(stderr, "gridwell_portable_bench: no panel driver\n");
    return 1;
  }
  auto onEvent = plugin.exports().MQOnEvent;

  const GridShape shape = {0, 1, SelectionKind::kFaces};
  for (int size : kBenchSizes) {
    GridShape sized = shape;
    sized.vertices = size;
    const int vertices = BuildQuadGrid(doc, sized);
    const std::vector<std::pair<int, int>> selected = SelectedVertices(doc);
    for (const BenchOperation& operation : kBenchOperations) {
      PreparePanel(*panel, operation);
      RunPluginOperation(*panel, doc.Handle(), onEvent, operation);
      Settle();
      std::vector<double> pluginMs, baselineMs;
      // Interleaved, so that both meet the same moments of a noisy machine.
      for (int r = 0; r < repetitions; ++r) {
        pluginMs.push_back(
            TimeMs([&] { RunPluginOperation(*panel, doc.Handle(), onEvent, operation); }));
        Settle();
        baselineMs.push_back(
            TimeMs([&] { RunBaseline(hostCalls, doc.Handle(), operation.baseline, selected); }));
      }
      std::printf("result\t%s\t%s\t%d\t%.4f\t%.4f\n", operation.name, Describe(shape).c_str(),
                  vertices, Median(pluginMs), Median(baselineMs));
      std::fflush(stdout);
    }
  }
  plugin.exports().MQOnEvent(doc.Handle(), 2, nullptr);
  return 0;
}
