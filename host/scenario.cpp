// Parsing and running scenario scripts. The parser checks every line completely
// (verbs, arity, numbers, names), so a malformed script is reported whole before
// anything runs; a step that parsed can fail only on what it finds at run time. Each
// kind of step is parsed in a file of its own (host/scenario_step_parser.h); this
// file hands each line to the right one, runs the steps, and checks the host's
// invariants at the end.
#include "host/scenario.h"

#include <fstream>
#include <sstream>
#include <utility>

#include "host/scenario_state.h"
#include "host/scenario_step_parser.h"
#include "host/stand_in_host.h"
#include "plugin/host_functions.h"

namespace standin {

bool StepParser::Parse(Run* run, std::string* error) {
  const std::string verb = t_[0].quoted ? std::string() : t_[0].text;
  bool known = false;
  bool ok;
  bool modelStep = false;
  ok = ParseModelStep(run, &modelStep);
  if (modelStep) {
    // Steps for OBJ models, selections by object or region, frames, the table.
  } else if (verb == "call") {
    ok = ParseCall(run);
  } else if (verb == "event") {
    ok = ParseEvent(run);
  } else if (verb == "expect") {
    ok = ParseExpect(run);
  } else if (verb == "print" || verb == "echo") {
    ok = ParsePrint(run);
  } else {
    ok = ParseDocumentStep(verb, run, &known);
    if (!known) ok = ParsePanelStep(verb, run, &known);
    if (!known) ok = Bad("unknown step '" + t_[0].text + "'");
  }
  if (!ok) *error = error_;
  return ok;
}

bool ParseScenario(const std::string& text, const std::string& file, Scenario* scenario,
                   std::vector<std::string>* errors) {
  scenario->file = file;
  scenario->steps.clear();
  std::istringstream in(text);
  std::string line;
  int number = 0;
  bool ok = true;
  while (std::getline(in, line)) {
    ++number;
    std::vector<Token> tokens;
    std::string error;
    Run run;
    if (!Tokenize(line, &tokens, &error) ||
        (!tokens.empty() && !StepParser(tokens).Parse(&run, &error))) {
      errors->push_back(file + ":" + std::to_string(number) + ": " + error);
      ok = false;
      continue;
    }
    if (tokens.empty()) continue;
    size_t first = line.find_first_not_of(" \t");
    std::string stepText = line.substr(first);
    while (!stepText.empty() && (stepText.back() == '\r' || stepText.back() == ' '))
      stepText.pop_back();
    scenario->steps.push_back({number, stepText, std::move(run)});
  }
  return ok;
}

bool RunScenario(const Scenario& scenario, RunEnvironment& environment, std::string* failure) {
  RunState state;
  state.env = &environment;
  state.host = &Host::Instance();
  state.host->Reset();
  // Steps from the command line run before and after the file's own.
  const Scenario* parts[] = {&environment.before, &scenario, &environment.after};
  for (const Scenario* part : parts) {
    for (const Step& step : part->steps) {
      std::string error = step.run(state);
      if (environment.afterStep) environment.afterStep();
      FollowFrameArrays(state);
      if (!error.empty()) {
        *failure = part->file + ":" + std::to_string(step.line) + ": " + error +
                   "\n  in step: " + step.text;
        return false;
      }
    }
  }
  std::string violated = CheckHostInvariants(*state.host);
  if (!violated.empty()) {
    *failure = scenario.file + ": after the last step: " + violated;
    return false;
  }
  return true;
}

bool RunScenarioFile(const std::string& path, RunEnvironment& environment, std::ostream& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    out << "FAIL " << path << ": cannot open the scenario file\n";
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  Scenario scenario;
  std::vector<std::string> errors;
  if (!ParseScenario(text.str(), path, &scenario, &errors)) {
    for (const std::string& e : errors) out << e << "\n";
    out << "FAIL " << path << ": " << errors.size() << " malformed step"
        << (errors.size() == 1 ? "" : "s") << ", nothing run\n";
    return false;
  }
  std::string failure;
  if (!RunScenario(scenario, environment, &failure)) {
    out << failure << "\n";
    out << "FAIL " << path << "\n";
    return false;
  }
  out << "PASS " << path << " (" << scenario.steps.size() << " steps)\n";
  return true;
}

std::string CheckHostInvariants(const Host& host) {
  std::string problems;
  for (int i = 0; i < kHostFunctionCount; ++i) {
    if (host.calls[i] == 0 || IsCalledHostFunction(i)) continue;
    const int calls = host.calls[i];
    problems += std::string(problems.empty() ? "" : "; ") + "the plug-in called " +
                kHostFunctionNames[i] + " (" + std::to_string(calls) +
                (calls == 1 ? " call" : " calls") + "), which is not one of the " +
                std::to_string(kCalledHostFunctionCount) + " it may use";
  }
  if (host.editsOutsideCallback != 0) {
    const int edits = host.editsOutsideCallback;
    problems += std::string(problems.empty() ? "" : "; ") + std::to_string(edits) +
                (edits == 1 ? " document edit" : " document edits") +
                " happened outside a station callback";
  }
  return problems;
}

}  // namespace standin
