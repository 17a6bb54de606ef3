// gridwell-host: loads the plug-in as the modeller does and runs scenario files
// against it, each from a fresh document, the plug-in staying loaded across files.
//
//   gridwell-host [--plugin PATH] [OPTION...] SCENARIO...
//
//   --load-obj PATH     before each scenario: load-obj "PATH"
//   --save-obj PATH     after each scenario:  save-obj "PATH"
//   --before "STEP"     a scenario step to run before each scenario's own (repeatable)
//   --after "STEP"      a step to run after them (repeatable)
//   --interactive       after each scenario, leave the panel to a person until it is
//                       closed, then run the --after steps and --save-obj; Windows
//                       build only
//
// Prints PASS or the failing step's FILE:LINE for each file, then "N passed, N
// failed"; exits 0 only when every scenario passed.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "host/plugin_module.h"
#include "host/scenario.h"
#include "host/stand_in_host.h"
#include "panel/panel_driver.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "host/host_window_win32.h"
#include "host/win32_panel_driver.h"
#endif

namespace {

#ifdef _WIN32
constexpr char kPluginFile[] = "Gridwell.dll";
// Where the build puts this edition's product.
#ifdef _WIN64
constexpr char kDistFolder[] = "dist\\win64\\";
#else
constexpr char kDistFolder[] = "dist\\win32\\";
#endif
constexpr char kIncompleteHostFile[] = "gridwell-host-incomplete.dll";
constexpr char kSlash = '\\';
#else
constexpr char kPluginFile[] = "libgridwell.so";
constexpr char kIncompleteHostFile[] = "libgridwell-host-incomplete.so";
constexpr char kSlash = '/';
#endif

bool FileExists(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f != nullptr) std::fclose(f);
  return f != nullptr;
}

// The plug-in next to the executable; else where the build tree puts it; on
// Windows also where the build puts the product.
std::string DefaultPluginPath() {
  const std::string dir = standin::DirectoryOf(standin::ExecutablePath());
  const std::string base = dir.empty() ? std::string(".") : dir;
  const std::string candidates[] = {
      base + kSlash + kPluginFile,
      base + kSlash + ".." + kSlash + "plugin" + kSlash + kPluginFile,
#ifdef _WIN32
      base + "\\..\\..\\" + kDistFolder + kPluginFile,
#endif
  };
  for (const std::string& path : candidates) {
    if (FileExists(path)) return path;
  }
  return candidates[0];
}

int Usage() {
  std::cerr << "usage: gridwell-host [--plugin PATH] [--load-obj PATH] [--save-obj PATH]\n"
               "                     [--before STEP]... [--after STEP]... [--interactive]\n"
               "                     SCENARIO...\n";
  return 2;
}

// Quotes a path as a scenario token.
std::string QuotedToken(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// Parses command-line steps as a scenario of their own, numbered by position.
bool ParseCommandLineSteps(const std::vector<std::string>& lines, const char* where,
                           standin::Scenario* scenario) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  std::vector<std::string> errors;
  if (standin::ParseScenario(text, where, scenario, &errors)) return true;
  for (const std::string& e : errors) std::cerr << "gridwell-host: " << e << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pluginPath;
  std::vector<std::string> files, before, after, saveAfter;
  bool interactive = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    const bool takesValue = arg == "--plugin" || arg == "--load-obj" || arg == "--save-obj" ||
                            arg == "--before" || arg == "--after";
    if (takesValue && i + 1 >= argc) {
      std::cerr << "gridwell-host: " << arg << " needs a value\n";
      return Usage();
    }
    if (arg == "--plugin") {
      pluginPath = argv[++i];
    } else if (arg == "--load-obj") {
      before.push_back("load-obj " + QuotedToken(argv[++i]));
    } else if (arg == "--save-obj") {
      saveAfter.push_back("save-obj " + QuotedToken(argv[++i]));
    } else if (arg == "--before") {
      before.push_back(argv[++i]);
    } else if (arg == "--after") {
      after.push_back(argv[++i]);
    } else if (arg == "--interactive") {
      interactive = true;
    } else if (arg == "--help" || arg == "-h") {
      Usage();
      return 0;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "gridwell-host: unknown option " << arg << "\n";
      return Usage();
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) return Usage();
  // A person closes the panel first; then the model is saved.
  if (interactive) after.insert(after.begin(), "interact");
  after.insert(after.end(), saveAfter.begin(), saveAfter.end());
  standin::Scenario beforeSteps, afterSteps;
  if (!ParseCommandLineSteps(before, "command line (before)", &beforeSteps) ||
      !ParseCommandLineSteps(after, "command line (after)", &afterSteps)) {
    return 2;
  }
#ifdef _WIN32
  // The same bytes as the native build prints: lines end in \n, not \r\n.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (pluginPath.empty()) pluginPath = DefaultPluginPath();

#ifdef _WIN32
  standin::CreateHostMainWindow();
#endif

  standin::PluginModule plugin;
  std::string error;
  if (!plugin.Load(pluginPath, &error)) {
    std::cout << "gridwell-host: " << error << "\n";
    std::cout << "0 passed, " << files.size() << " failed\n";
    return 1;
  }

  standin::RunEnvironment environment;
  environment.plugin = &plugin;
  environment.hostPath = standin::HostModulePath();
  const std::string hostDir = standin::DirectoryOf(environment.hostPath);
  environment.incompleteHostPath =
      hostDir.empty() ? kIncompleteHostFile : hostDir + kSlash + kIncompleteHostFile;
  environment.out = &std::cout;
  environment.before = std::move(beforeSteps);
  environment.after = std::move(afterSteps);
#ifdef _WIN32
  environment.panelOnScreen = true;
  PanelDriver* driver = nullptr;
  environment.panelDriver = [&driver](std::string* why) {
    if (driver == nullptr) driver = CreateWin32PanelDriver();
    if (driver == nullptr) *why = "the Windows panel driver could not be created";
    return driver;
  };
  environment.afterStep = [] { standin::PumpHostMessages(); };
#else
  environment.panelDriver = [&plugin](std::string* why) -> PanelDriver* {
    using DriverExport = PanelDriver* (*)();
    auto find = reinterpret_cast<DriverExport>(plugin.FindSymbol("GridwellPanelDriver"));
    if (find == nullptr) {
      *why = "the plug-in " + plugin.path() + " does not export GridwellPanelDriver";
      return nullptr;
    }
    PanelDriver* driver = find();
    if (driver == nullptr) *why = "GridwellPanelDriver answered null";
    return driver;
  };
#endif

  int passed = 0, failed = 0;
  for (const std::string& file : files) {
    if (standin::RunScenarioFile(file, environment, std::cout)) {
      ++passed;
    } else {
      ++failed;
    }
    std::cout.flush();
  }
  std::cout << passed << " passed, " << failed << " failed" << std::endl;
  return failed == 0 ? 0 : 1;
}
