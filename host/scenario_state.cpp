// The checks that steps make on a running scenario before they act.
#include "host/scenario_state.h"

#include "panel/panel_driver.h"

namespace standin {

std::string NeedObject(RunState& s, int object) {
  if (s.doc().ObjectAt(object) == nullptr) {
    return "object " + std::to_string(object) + " does not exist";
  }
  return "";
}

std::string NeedPanel(RunState& s) {
  std::string why;
  s.driver = s.env->panelDriver ? s.env->panelDriver(&why) : nullptr;
  if (s.driver == nullptr) {
    return "no panel driver" + (why.empty() ? std::string() : ": " + why);
  }
  return "";
}

std::string NeedPanelWindow(RunState& s) {
  std::string error = NeedPanel(s);
  if (!error.empty()) return error;
  if (!s.driver->Exists()) return "no panel window exists (start the station with 'event 1')";
  return "";
}

}  // namespace standin
