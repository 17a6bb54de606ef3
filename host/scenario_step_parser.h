// The scenario parser: one line's tokens turned into a step. The token checks at the
// top are shared by every kind of step; each kind is parsed in a file of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/scenario_state.h"
#include "host/scenario_text.h"

namespace standin {

class StepParser {
 public:
  explicit StepParser(const std::vector<Token>& tokens) : t_(tokens) {}

  // Builds the step's action, or answers false with error set (scenario.cpp).
  bool Parse(Run* run, std::string* error);

 private:
  // Token checks, each failing with the message the language gives for it: these
  // answer false with error_ set, or true.
  bool Usage(const std::string& usage) { return Bad("usage: " + usage); }
  bool Bad(const std::string& message) {
    error_ = message;
    return false;
  }
  bool Int(size_t i, int32_t* v) {
    return ParseInt(t_[i], v) || Bad("'" + t_[i].text + "' is not an integer");
  }
  bool Float(size_t i, float* v) {
    return ParseFloat(t_[i], v) || Bad("'" + t_[i].text + "' is not a number");
  }
  // Tokens from to to (not included) as floats, appended to v.
  bool ParseFloats(size_t from, size_t to, std::vector<float>* v) {
    for (size_t i = from; i < to; ++i) {
      float f;
      if (!Float(i, &f)) return false;
      v->push_back(f);
    }
    return true;
  }
  bool Control(size_t i, int* id) {
    return ParseControl(t_[i], id) ||
           Bad("'" + t_[i].text + "' is neither a control name nor an ID");
  }
  bool YesNo(size_t i, bool* v) {
    return ParseYesNo(t_[i], v) || Bad("expected yes or no, got '" + t_[i].text + "'");
  }
  // Whether token i is this keyword: written without quotes.
  bool Word(size_t i, const char* word) { return !t_[i].quoted && t_[i].text == word; }

  // The kinds of step. Those with known answer in it whether the line is one of
  // theirs.
  //   scenario_document_steps.cpp: objects, vertices, faces, selections, the current
  //   object, matrices, float arrays, refused callbacks, waits
  bool ParseDocumentStep(const std::string& verb, Run* run, bool* known);
  //   scenario_call_steps.cpp: the plug-in's exports, and events
  bool ParseCall(Run* run);
  bool ParseEvent(Run* run);
  //   scenario_panel_steps.cpp: clicks, commands, typing and keys on the panel
  bool ParsePanelStep(const std::string& verb, Run* run, bool* known);
  //   scenario_expectations.cpp: expect ...
  bool ParseExpect(Run* run);
  bool ParsePanelExpect(const std::string& what, Run* run, bool* known);
  //   scenario_prints.cpp: print ... and echo
  bool ParsePrint(Run* run);
  //   scenario_model_steps.cpp: OBJ models, selections by object or region, frames
  //   that follow the float arrays, the before-and-after table, interact, expect
  //   selected
  bool ParseModelStep(Run* run, bool* known);
  bool Path(const char* usage, std::string* path);

  const std::vector<Token>& t_;
  std::string error_;
};

}  // namespace standin
