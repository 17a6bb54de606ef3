#include "host/scenario_step_parser.h"

namespace standin {

bool StepParser::Int(size_t i, int32_t* v) {
  if (ParseInt(t_[i], v)) return true;
  return Bad("'" + t_[i].text + "' is not an integer");
}

bool StepParser::Float(size_t i, float* v) {
  if (ParseFloat(t_[i], v)) return true;
  return Bad("'" + t_[i].text + "' is not a number");
}

bool StepParser::ParseFloats(size_t from, size_t to, std::vector<float>* v) {
  for (size_t i = from; i < to; ++i) {
    float f;
    if (!Float(i, &f)) return false;
    v->push_back(f);
  }
  return true;
}

bool StepParser::Control(size_t i, int* id) {
  if (ParseControl(t_[i], id)) return true;
  return Bad("'" + t_[i].text + "' is neither a control name nor an ID");
}

bool StepParser::YesNo(size_t i, bool* v) {
  if (ParseYesNo(t_[i], v)) return true;
  return Bad("expected yes or no, got '" + t_[i].text + "'");
}

}  // namespace standin
