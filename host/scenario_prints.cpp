// Scenario steps that print: a vertex, a float array, a field, the last answer or
// text, and echo.
#include <ostream>

#include "host/scenario_step_parser.h"
#include "panel/panel_driver.h"

namespace standin {

bool StepParser::ParsePrint(Run* run) {
  const size_t n = t_.size();
  if (!t_[0].quoted && t_[0].text == "echo") {
    if (n != 2 || !t_[1].quoted) return Usage("echo \"TEXT\"");
    std::string text = t_[1].text;
    *run = [text](RunState& s) {
      // Flushed: a script watching the output (for a screenshot) sees it at once.
      if (s.env->out) *s.env->out << text << std::endl;
      return std::string();
    };
    return true;
  }
  const char* usage =
      "print vertex OBJ V | print float-array OBJ ID | print field ID | print answer | print text";
  if (n < 2) return Usage(usage);
  const std::string what = t_[1].text;
  if (what == "vertex") {
    int32_t object, vertex;
    if (n != 4) return Usage("print vertex OBJ V");
    if (!Int(2, &object) || !Int(3, &vertex)) return false;
    *run = [object, vertex](RunState& s) {
      const Object* o = s.doc().ObjectAt(object);
      if (o == nullptr || vertex < 0 || vertex >= static_cast<int>(o->vertices.size())) {
        return "vertex " + std::to_string(vertex) + " of object " + std::to_string(object) +
               " does not exist";
      }
      if (s.env->out) {
        *s.env->out << "vertex " << object << " " << vertex << ": "
                    << Floats(&o->vertices[vertex].x, 3) << "\n";
      }
      return std::string();
    };
    return true;
  }
  if (what == "float-array") {
    int32_t object, id;
    if (n != 4) return Usage("print float-array OBJ ID");
    if (!Int(2, &object) || !Int(3, &id)) return false;
    *run = [object, id](RunState& s) {
      Object* o = s.doc().ObjectAt(object);
      int count = 0;
      const float* values = o == nullptr ? nullptr : o->FloatArray(id, &count);
      if (values == nullptr) {
        return "object " + std::to_string(object) + " has no float array " + std::to_string(id);
      }
      if (s.env->out) {
        *s.env->out << "float array " << id << " of object " << object << ": "
                    << Floats(values, count) << "\n";
      }
      return std::string();
    };
    return true;
  }
  if (what == "field") {
    int id;
    if (n != 3) return Usage("print field ID");
    if (!Control(2, &id)) return false;
    *run = [id](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (!error.empty()) return error;
      char buffer[1024] = {};
      if (!s.driver->GetText(id, buffer, sizeof buffer))
        return "field " + std::to_string(id) + ": no such control";
      if (s.env->out) *s.env->out << "field " << id << ": " << Quote(buffer) << "\n";
      return std::string();
    };
    return true;
  }
  if (what == "answer" || what == "text") {
    if (n != 2) return Usage(usage);
    const bool answer = what == "answer";
    *run = [answer](RunState& s) {
      if (answer && !s.haveAnswer) return std::string("no int answer yet");
      if (!answer && !s.haveText) return std::string("no text answer yet");
      if (s.env->out) {
        *s.env->out << (answer ? "answer " + Number(s.answer)
                               : "text " + (s.textNull ? "null" : Quote(s.text)))
                    << "\n";
      }
      return std::string();
    };
    return true;
  }
  return Usage(usage);
}

}  // namespace standin
