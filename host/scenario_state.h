// What a running scenario remembers between steps; shared by the files that parse
// and run the steps.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/obj_file.h"
#include "host/option_list.h"
#include "host/plugin_module.h"
#include "host/scenario.h"
#include "host/scenario_text.h"
#include "host/selection_report.h"
#include "host/stand_in_host.h"

namespace standin {

struct RunState {
  RunEnvironment* env = nullptr;
  Host* host = nullptr;
  int building = -1;  // the object that vertex and face steps add to
  bool haveAnswer = false;
  uint32_t answer = 0;  // the bits of the last int answer
  bool haveText = false;
  bool textNull = false;
  std::string text;
  std::unique_ptr<OptionList> options;  // the last event's option list
  bool havePluginId = false;
  uint32_t product = 0, id = 0;
  PanelDriver* driver = nullptr;  // valid for the current step only
  int opaque[4] = {};             // what KEY=ptr options point at

  std::unique_ptr<ObjSource> loadedObj;  // the OBJ file the document came from, if any
  std::vector<int> framesFollowArrays;   // objects whose matrix follows arrays 770/771
  std::vector<ReportRow> report;         // rows that 'record' took for 'print-table'

  Document& doc() { return host->document(); }
  const PluginExports& plugin() { return env->plugin->exports(); }
  void SetAnswer(uint32_t value) {
    haveAnswer = true;
    answer = value;
    haveText = false;
  }
  void SetText(const char* value) {
    haveText = true;
    textNull = value == nullptr;
    text = value == nullptr ? "" : value;
    haveAnswer = false;
  }
};

using Run = std::function<std::string(RunState&)>;

// What a step needs before it can run: "" when it is there, else what is missing.
std::string NeedObject(RunState& s, int object);
// The panel driver, asked for again before every panel step (a driver may belong to
// one panel and go when the station stops); sets s.driver.
std::string NeedPanel(RunState& s);
// The driver, and a panel window that exists.
std::string NeedPanelWindow(RunState& s);

// An object by index or by name: a token that reads as an int is an index, any
// other (or a quoted one) a name. Answers -1 with a message when there is none.
int FindObject(RunState& s, const Token& token, std::string* error);

// Sets the matrix of every object that follows its arrays; run after each step.
void FollowFrameArrays(RunState& s);

// The checks every scenario run ends with: only the host functions the plug-in may
// call were called, and no document edit happened outside a station callback.
// Answers "" or what was violated.
std::string CheckHostInvariants(const Host& host);

}  // namespace standin
