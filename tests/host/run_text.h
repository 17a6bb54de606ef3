// Runs scenario text in the test process, without a plug-in loaded.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "host/scenario.h"

// Parses and runs a scenario without a plug-in; answers the failure ("" on success)
// and leaves what it printed in printed.
inline std::string RunText(const std::string& text, std::string* printed = nullptr) {
  standin::Scenario scenario;
  std::vector<std::string> errors;
  if (!standin::ParseScenario(text, "t.scn", &scenario, &errors)) return "parse: " + errors[0];
  std::ostringstream out;
  standin::RunEnvironment environment;
  environment.out = &out;
  std::string failure;
  standin::RunScenario(scenario, environment, &failure);
  if (printed != nullptr) *printed = out.str();
  return failure;
}
