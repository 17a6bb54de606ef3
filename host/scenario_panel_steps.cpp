// Scenario steps that act on the panel through the plug-in's panel driver: clicks,
// commands, typed text, keys to the panel window and keys pressed through the host's
// dialog keyboard handling, and texts set by a program.
#include "host/scenario_step_parser.h"
#include "panel/panel_driver.h"

namespace standin {

bool StepParser::ParsePanelStep(const std::string& verb, Run* run, bool* known) {
  *known = true;
  const size_t n = t_.size();
  int id = 0;
  // One control, through the driver: clicked, or the mouse left on its middle.
  if (verb == "click" || verb == "hover") {
    if (n != 2) return Usage(verb + " ID");
    if (!Control(1, &id)) return false;
    const bool click = verb == "click";
    *run = [id, click, verb](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (error.empty() && !(click ? s.driver->Click(id) : s.driver->Hover(id)))
        error = verb + " " + std::to_string(id) + ": no such control";
      return error;
    };
    return true;
  }
  if (verb == "command") {
    int32_t notification = 0;
    if (n != 2 && n != 3) return Usage("command ID [NOTIFICATION]");
    if (!Control(1, &id) || (n == 3 && !Int(2, &notification))) return false;
    *run = [id, notification](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (error.empty() && !s.driver->Command(id, notification)) {
        error = "command " + std::to_string(id) + " was not accepted";
      }
      return error;
    };
    return true;
  }
  if (verb == "type" || verb == "set-text") {
    const bool type = verb == "type";
    if (n != 3 || !t_[2].quoted) return Usage(type ? "type ID \"TEXT\"" : "set-text ID \"TEXT\"");
    if (!Control(1, &id)) return false;
    std::string text = t_[2].text;
    *run = [id, text, type](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (!error.empty()) return error;
      if (!type) {
        if (!s.driver->SetText(id, text.c_str()))
          return "set-text " + std::to_string(id) + ": no such control";
        return std::string();
      }
      for (char c : text) {
        if (!s.driver->Type(id, c == '\n' ? '\r' : c)) {
          return "type " + std::to_string(id) + ": no such field";
        }
        if (s.env->afterStep) s.env->afterStep();
      }
      return std::string();
    };
    return true;
  }
  if (verb == "key") {
    int code;
    if (n != 2) return Usage("key VK");
    if (!ParseKey(t_[1], &code)) return Bad("'" + t_[1].text + "' is not a key code or key name");
    *run = [code](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (error.empty() && !s.driver->PanelKey(code))
        error = "key " + std::to_string(code) + " was not accepted";
      return error;
    };
    return true;
  }
  if (verb == "press") {
    int code;
    if (n != 2) return Usage("press TAB|RETURN|ESCAPE");
    if (!ParseKey(t_[1], &code) || (code != 0x09 && code != 0x0D && code != 0x1B))
      return Bad("press takes TAB, RETURN or ESCAPE, not '" + t_[1].text + "'");
    *run = [code](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (error.empty() && !s.driver->PressKey(code))
        error = "press " + std::to_string(code) + " was not accepted";
      return error;
    };
    return true;
  }
  *known = false;
  return false;
}

}  // namespace standin
