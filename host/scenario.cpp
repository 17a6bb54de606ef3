// Parsing and running scenario scripts. The parser checks every line completely
// (verbs, arity, numbers, names), so a malformed script is reported whole before
// anything runs; a step that parsed can fail only on what it finds at run time.
#include "host/scenario.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

#include "host/option_list.h"
#include "host/plugin_module.h"
#include "host/scenario_state.h"
#include "host/scenario_text.h"
#include "host/stand_in_host.h"
#include "panel/panel_driver.h"
#include "plugin/host_functions.h"

namespace standin {

namespace {

// --- Steps ---------------------------------------------------------------------------

using Run = std::function<std::string(RunState&)>;

// The object that vertex and face steps add to, or an error.
std::string NeedBuilding(RunState& s) {
  if (s.building < 0 || s.doc().ObjectAt(s.building) == nullptr) {
    return "no object to add to: start it with 'object'";
  }
  return "";
}

std::string NeedObject(RunState& s, int object) {
  if (s.doc().ObjectAt(object) == nullptr) {
    return "object " + std::to_string(object) + " does not exist";
  }
  return "";
}

// Asks for the driver before every panel step: a driver may belong to one panel
// and go when the station stops.
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

std::string Expected(const std::string& what, const std::string& want, const std::string& got) {
  return what + ": expected " + want + ", got " + got;
}

class Parser {
 public:
  explicit Parser(const std::vector<Token>& t) : t_(t) {}

  // Builds the step's action, or answers false with error set.
  bool Parse(Run* run, std::string* error);

 private:
  bool Usage(const char* usage) {
    error_ = "usage: " + std::string(usage);
    return false;
  }
  bool Bad(const std::string& message) {
    error_ = message;
    return false;
  }
  bool Int(size_t i, int32_t* v) {
    if (ParseInt(t_[i], v)) return true;
    return Bad("'" + t_[i].text + "' is not an integer");
  }
  bool Float(size_t i, float* v) {
    if (ParseFloat(t_[i], v)) return true;
    return Bad("'" + t_[i].text + "' is not a number");
  }
  bool ParseFloats(size_t from, size_t to, std::vector<float>* v) {
    for (size_t i = from; i < to; ++i) {
      float f;
      if (!Float(i, &f)) return false;
      v->push_back(f);
    }
    return true;
  }
  bool Control(size_t i, int* id) {
    if (ParseControl(t_[i], id)) return true;
    return Bad("'" + t_[i].text + "' is neither a control name nor an ID");
  }
  bool YesNo(size_t i, bool* v) {
    if (ParseYesNo(t_[i], v)) return true;
    return Bad("expected yes or no, got '" + t_[i].text + "'");
  }
  bool Word(size_t i, const char* word) { return !t_[i].quoted && t_[i].text == word; }

  bool ParseDocumentStep(const std::string& verb, Run* run, bool* known);
  bool ParseCall(Run* run);
  bool ParseEvent(Run* run);
  bool ParsePanelStep(const std::string& verb, Run* run, bool* known);
  bool ParseExpect(Run* run);
  bool ParsePanelExpect(const std::string& what, Run* run, bool* known);
  bool ParsePrint(Run* run);

  const std::vector<Token>& t_;
  std::string error_;
};

bool Parser::Parse(Run* run, std::string* error) {
  const std::string verb = t_[0].quoted ? std::string() : t_[0].text;
  bool known = false;
  bool ok;
  bool modelStep = false;
  ok = ParseModelStep(t_, run, &error_, &modelStep);
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

bool Parser::ParseDocumentStep(const std::string& verb, Run* run, bool* known) {
  *known = true;
  const size_t n = t_.size();
  if (verb == "object") {
    if (n > 2) return Usage("object [NAME]");
    std::string name = n == 2 ? t_[1].text : "obj";
    *run = [name](RunState& s) {
      s.building = s.doc().AddObject(name);
      return std::string();
    };
    return true;
  }
  if (verb == "empty-slot") {
    if (n != 1) return Usage("empty-slot");
    *run = [](RunState& s) {
      s.doc().AddEmptySlot();
      return std::string();
    };
    return true;
  }
  if (verb == "vertex" || verb == "vertices") {
    if (n < 4 || (n - 1) % 3 != 0) return Usage("vertex X Y Z  or  vertices X Y Z [X Y Z ...]");
    if (verb == "vertex" && n != 4) return Usage("vertex X Y Z");
    std::vector<float> v;
    if (!ParseFloats(1, n, &v)) return false;
    *run = [v](RunState& s) {
      std::string error = NeedBuilding(s);
      if (!error.empty()) return error;
      for (size_t i = 0; i < v.size(); i += 3)
        s.doc().AddVertex(s.building, v[i], v[i + 1], v[i + 2]);
      return std::string();
    };
    return true;
  }
  if (verb == "face") {
    if (n < 2) return Usage("face I J ...");
    std::vector<int> points;
    for (size_t i = 1; i < n; ++i) {
      int32_t p;
      if (!Int(i, &p)) return false;
      points.push_back(p);
    }
    *run = [points](RunState& s) {
      std::string error = NeedBuilding(s);
      if (!error.empty()) return error;
      const int count = static_cast<int>(s.doc().ObjectAt(s.building)->vertices.size());
      for (int p : points) {
        if (p < 0 || p >= count) {
          return "face point " + std::to_string(p) + " is not a vertex of object " +
                 std::to_string(s.building) + " (it has " + std::to_string(count) + ")";
        }
      }
      s.doc().AddFace(s.building, points);
      return std::string();
    };
    return true;
  }
  if (verb == "select-vertex" || verb == "select-face") {
    const bool vertex = verb == "select-vertex";
    if (n < 3) return Usage(vertex ? "select-vertex OBJ V [V ...]" : "select-face OBJ F [F ...]");
    int32_t object;
    if (!Int(1, &object)) return false;
    std::vector<int> indices;
    for (size_t i = 2; i < n; ++i) {
      int32_t v;
      if (!Int(i, &v)) return false;
      indices.push_back(v);
    }
    *run = [vertex, object, indices](RunState& s) {
      std::string error = NeedObject(s, object);
      if (!error.empty()) return error;
      const Object* o = s.doc().ObjectAt(object);
      const int count = static_cast<int>(vertex ? o->vertices.size() : o->faces.size());
      for (int i : indices) {
        if (i < 0 || i >= count) {
          return std::string(vertex ? "vertex " : "face ") + std::to_string(i) +
                 " does not exist in object " + std::to_string(object);
        }
        if (vertex) {
          s.doc().SelectVertex(object, i);
        } else {
          s.doc().SelectFace(object, i);
        }
      }
      return std::string();
    };
    return true;
  }
  if (verb == "select-line") {
    if (n != 4) return Usage("select-line OBJ FACE K");
    int32_t object, face, line;
    if (!Int(1, &object) || !Int(2, &face) || !Int(3, &line)) return false;
    *run = [object, face, line](RunState& s) {
      std::string error = NeedObject(s, object);
      if (!error.empty()) return error;
      const Object* o = s.doc().ObjectAt(object);
      if (face < 0 || face >= static_cast<int>(o->faces.size())) {
        return "face " + std::to_string(face) + " does not exist in object " +
               std::to_string(object);
      }
      if (line < 0 || line >= static_cast<int>(o->faces[face].points.size())) {
        return "face " + std::to_string(face) + " has no line " + std::to_string(line);
      }
      s.doc().SelectLine(object, face, line);
      return std::string();
    };
    return true;
  }
  if (verb == "select-all-vertices") {
    int32_t object;
    if (n != 2) return Usage("select-all-vertices OBJ");
    if (!Int(1, &object)) return false;
    *run = [object](RunState& s) {
      std::string error = NeedObject(s, object);
      if (error.empty()) s.doc().SelectAllVertices(object);
      return error;
    };
    return true;
  }
  if (verb == "deselect-all" || verb == "reset") {
    if (n != 1) return Usage(verb == "reset" ? "reset" : "deselect-all");
    const bool reset = verb == "reset";
    *run = [reset](RunState& s) {
      if (reset) {
        s.host->Reset();
        s.building = -1;
      } else {
        s.doc().ClearSelection();
      }
      return std::string();
    };
    return true;
  }
  if (verb == "current") {
    if (n != 2) return Usage("current OBJ|NAME");
    int32_t object;
    if (ParseInt(t_[1], &object)) {
      // Any index, so that scenarios can name an empty slot or none (-1).
      *run = [object](RunState& s) {
        s.doc().currentObject = object;
        return std::string();
      };
      return true;
    }
    Token name = t_[1];
    *run = [name](RunState& s) {
      std::string error;
      int index = FindObject(s, name, &error);
      if (index >= 0) s.doc().currentObject = index;
      return error;
    };
    return true;
  }
  if (verb == "matrix" || verb == "inverse" || verb == "translate") {
    const bool translate = verb == "translate";
    const size_t want = translate ? 5 : 18;
    if (n != want) {
      return Usage(translate
                       ? "translate OBJ X Y Z"
                       : (verb == "matrix" ? "matrix OBJ M0 ... M15" : "inverse OBJ M0 ... M15"));
    }
    int32_t object;
    std::vector<float> v;
    if (!Int(1, &object) || !ParseFloats(2, n, &v)) return false;
    const bool inverseOnly = verb == "inverse";
    *run = [object, v, translate, inverseOnly](RunState& s) {
      std::string error = NeedObject(s, object);
      if (!error.empty()) return error;
      Matrix m;
      if (translate) {
        m = Translation(v[0], v[1], v[2]);
      } else {
        std::copy(v.begin(), v.end(), m.begin());
      }
      if (inverseOnly) {
        s.doc().SetGlobalMatrices(object, s.doc().ObjectAt(object)->globalMatrix, m);
      } else {
        s.doc().SetGlobalMatrix(object, m);
      }
      return std::string();
    };
    return true;
  }
  if (verb == "float-array") {
    if (n < 4) return Usage("float-array OBJ ID V ...");
    int32_t object, id;
    std::vector<float> v;
    if (!Int(1, &object) || !Int(2, &id) || !ParseFloats(3, n, &v)) return false;
    size_t want = id == kLocalFrameArray                                 ? 16
                  : (id == kLocalAnglesArray || id == kLocalOriginArray) ? 3
                                                                         : 0;
    if (want == 0)
      return Bad("the host keeps float arrays 770, 771 and 772 only, not " + std::to_string(id));
    if (v.size() != want) {
      return Bad("float array " + std::to_string(id) + " holds " + std::to_string(want) +
                 " floats, not " + std::to_string(v.size()));
    }
    *run = [object, id, v](RunState& s) {
      std::string error = NeedObject(s, object);
      if (error.empty()) s.doc().SetFloatArray(object, id, v.data());
      return error;
    };
    return true;
  }
  if (verb == "wait") {
    int32_t ms;
    if (n != 2) return Usage("wait MS");
    if (!Int(1, &ms)) return false;
    if (ms < 0 || ms > 60000) return Bad("wait takes 0 to 60000 milliseconds");
    *run = [ms](RunState& s) {
      // Lets a person (or a screenshot) see the panel; the host keeps pumping.
      auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
      while (std::chrono::steady_clock::now() < end) {
        if (s.env->afterStep) s.env->afterStep();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      return std::string();
    };
    return true;
  }
  if (verb == "refuse-callbacks") {
    bool on;
    if (n != 2) return Usage("refuse-callbacks yes|no");
    if (!YesNo(1, &on)) return false;
    *run = [on](RunState& s) {
      s.host->refuseStationCallbacks = on;
      return std::string();
    };
    return true;
  }
  *known = false;
  return false;
}

bool Parser::ParseCall(Run* run) {
  const size_t n = t_.size();
  if (n < 2) return Usage("call EXPORT [ARGUMENT]");
  const std::string name = t_[1].text;
  if (name == "MQCheckVersion") {
    int32_t v;
    if (n != 3) return Usage("call MQCheckVersion VERSION");
    if (!Int(2, &v)) return false;
    *run = [v](RunState& s) {
      s.SetAnswer(s.plugin().MQCheckVersion(Bits(v)));
      return std::string();
    };
    return true;
  }
  if (name == "MQInit") {
    if (n > 3) return Usage("call MQInit [host | incomplete-host | \"PATH\"]");
    enum { kHost, kIncomplete, kGiven } which = kHost;
    std::string path;
    if (n == 3) {
      if (t_[2].quoted) {
        which = kGiven;
        path = t_[2].text;
      } else if (t_[2].text == "incomplete-host") {
        which = kIncomplete;
      } else if (t_[2].text != "host") {
        return Bad("call MQInit takes host, incomplete-host or a quoted path, not '" + t_[2].text +
                   "'");
      }
    }
    *run = [which, path](RunState& s) {
      std::string p = which == kHost         ? s.env->hostPath
                      : which == kIncomplete ? s.env->incompleteHostPath
                                             : path;
      s.SetAnswer(Bits(s.plugin().MQInit(p.c_str())));
      return std::string();
    };
    return true;
  }
  if (name == "MQGetPlugInID" || name == "MQGetPlugInName" || name == "MQGetPlugInType") {
    if (n != 2) return Usage(("call " + name).c_str());
    *run = [name](RunState& s) {
      if (name == "MQGetPlugInID") {
        uint32_t product = 0, id = 0;
        s.plugin().MQGetPlugInID(&product, &id);
        s.havePluginId = true;
        s.product = product;
        s.id = id;
      } else if (name == "MQGetPlugInName") {
        s.SetText(s.plugin().MQGetPlugInName());
      } else {
        s.SetAnswer(Bits(s.plugin().MQGetPlugInType()));
      }
      return std::string();
    };
    return true;
  }
  const char* indexed[] = {"MQEnumString", "MQEnumFileType", "MQEnumFileExt",  "MQImportFile",
                           "MQExportFile", "MQCreate",       "MQModifyObject", "MQModifySelect"};
  for (const char* known : indexed) {
    if (name != known) continue;
    int32_t index;
    if (n != 3) return Usage(("call " + name + " INDEX").c_str());
    if (!Int(2, &index)) return false;
    *run = [name, index](RunState& s) {
      const PluginExports& p = s.plugin();
      MQDocument doc = s.doc().Handle();
      if (name == "MQEnumString") s.SetText(p.MQEnumString(index));
      if (name == "MQEnumFileType") s.SetText(p.MQEnumFileType(index));
      if (name == "MQEnumFileExt") s.SetText(p.MQEnumFileExt(index));
      if (name == "MQImportFile") s.SetAnswer(Bits(p.MQImportFile(index, nullptr, doc)));
      if (name == "MQExportFile") s.SetAnswer(Bits(p.MQExportFile(index, nullptr, doc)));
      if (name == "MQCreate") s.SetAnswer(Bits(p.MQCreate(index, doc)));
      if (name == "MQModifyObject") s.SetAnswer(Bits(p.MQModifyObject(index, doc)));
      if (name == "MQModifySelect") s.SetAnswer(Bits(p.MQModifySelect(index, doc)));
      return std::string();
    };
    return true;
  }
  if (name == "MQOnEvent") return Bad("send events with 'event CODE [OPTION ...]'");
  return Bad("'" + name + "' is not an export of the plug-in");
}

bool Parser::ParseEvent(Run* run) {
  const size_t n = t_.size();
  const char* usage =
      "event CODE [KEY=INT | KEY=ptr | KEY=null ...]  or  event CODE null  or  event CODE flag N";
  if (n < 2) return Usage(usage);
  int32_t code;
  if (!Int(1, &code)) return false;
  if (n == 3 && Word(2, "null")) {
    *run = [code](RunState& s) {
      s.options.reset();
      s.SetAnswer(Bits(s.plugin().MQOnEvent(s.doc().Handle(), code, nullptr)));
      return std::string();
    };
    return true;
  }
  if (n >= 3 && Word(2, "flag")) {
    int32_t flag;
    if (n != 4) return Usage("event CODE flag N");
    if (!Int(3, &flag)) return false;
    *run = [code, flag](RunState& s) {
      s.options.reset();
      int32_t value = flag;
      s.SetAnswer(Bits(s.plugin().MQOnEvent(s.doc().Handle(), code, &value)));
      return std::string();
    };
    return true;
  }
  struct Option {
    std::string key;
    enum { kInt, kPointer, kNull } kind;
    int32_t value;
  };
  std::vector<Option> options;
  for (size_t i = 2; i < n; ++i) {
    const std::string& text = t_[i].text;
    size_t eq = text.find('=');
    if (t_[i].quoted || eq == std::string::npos) {
      return Bad("option '" + text + "' is not KEY=INT, KEY=ptr or KEY=null");
    }
    if (eq == 0) return Bad("option '" + text + "' has no key");
    Option option{text.substr(0, eq), Option::kInt, 0};
    Token value{text.substr(eq + 1), false};
    if (value.text == "ptr") {
      option.kind = Option::kPointer;
    } else if (value.text == "null") {
      option.kind = Option::kNull;
    } else if (!ParseInt(value, &option.value)) {
      return Bad("option '" + text + "': '" + value.text + "' is not an integer, ptr or null");
    }
    options.push_back(option);
  }
  *run = [code, options](RunState& s) {
    s.options = std::make_unique<OptionList>();
    for (const Option& o : options) {
      if (o.kind == Option::kInt) s.options->Int(o.key, o.value);
      if (o.kind == Option::kPointer) s.options->Pointer(o.key, s.opaque);
      if (o.kind == Option::kNull) s.options->Pointer(o.key, nullptr);
    }
    s.SetAnswer(Bits(s.plugin().MQOnEvent(s.doc().Handle(), code, s.options->Data())));
    return std::string();
  };
  return true;
}

bool Parser::ParsePanelStep(const std::string& verb, Run* run, bool* known) {
  *known = true;
  const size_t n = t_.size();
  int id = 0;
  if (verb == "click") {
    if (n != 2) return Usage("click ID");
    if (!Control(1, &id)) return false;
    *run = [id](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (error.empty() && !s.driver->Click(id))
        error = "click " + std::to_string(id) + ": no such control";
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

bool Parser::ParseExpect(Run* run) {
  const size_t n = t_.size();
  if (n < 2) return Usage("expect WHAT ...");
  const std::string what = t_[1].quoted ? std::string() : t_[1].text;
  int32_t v;
  if (what == "answer") {
    if (n != 3) return Usage("expect answer N");
    if (!Int(2, &v)) return false;
    *run = [v](RunState& s) {
      if (!s.haveAnswer) return std::string("no int answer yet: call something first");
      if (s.answer != Bits(v)) return Expected("answer", Number(Bits(v)), Number(s.answer));
      return std::string();
    };
    return true;
  }
  if (what == "text" || what == "text-prefix") {
    const bool prefix = what == "text-prefix";
    if (n != 3 || (prefix && !t_[2].quoted) || (!t_[2].quoted && t_[2].text != "null")) {
      return Usage(prefix ? "expect text-prefix \"S\"" : "expect text \"S\"  or  expect text null");
    }
    const bool wantNull = !t_[2].quoted;
    const std::string want = t_[2].text;
    *run = [prefix, wantNull, want](RunState& s) {
      if (!s.haveText) return std::string("no text answer yet: call a string export first");
      std::string got = s.textNull ? "null" : Quote(s.text);
      if (wantNull) return s.textNull ? std::string() : Expected("text", "null", got);
      bool ok =
          !s.textNull && (prefix ? s.text.compare(0, want.size(), want) == 0 : s.text == want);
      return ok ? std::string() : Expected(prefix ? "text beginning" : "text", Quote(want), got);
    };
    return true;
  }
  if (what == "option") {
    if (n != 4) return Usage("expect option KEY N");
    if (!Int(3, &v)) return false;
    std::string key = t_[2].text;
    *run = [key, v](RunState& s) {
      if (!s.options) return std::string("the last event had no option list");
      int32_t* value = s.options->IntAt(key);
      if (value == nullptr) return "the last event's list has no int option '" + key + "'";
      if (Bits(*value) != Bits(v))
        return Expected("option " + key, Number(Bits(v)), Number(Bits(*value)));
      return std::string();
    };
    return true;
  }
  if (what == "plugin-id") {
    int32_t product, id;
    if (n != 4) return Usage("expect plugin-id PRODUCT ID");
    if (!Int(2, &product) || !Int(3, &id)) return false;
    *run = [product, id](RunState& s) {
      if (!s.havePluginId) return std::string("no plug-in ID yet: call MQGetPlugInID first");
      char want[64], got[64];
      std::snprintf(want, sizeof want, "0x%08x 0x%08x", Bits(product), Bits(id));
      std::snprintf(got, sizeof got, "0x%08x 0x%08x", s.product, s.id);
      if (s.product != Bits(product) || s.id != Bits(id)) return Expected("plug-in ID", want, got);
      return std::string();
    };
    return true;
  }
  if (what == "calls") {
    if (n != 4) return Usage("expect calls HOSTFUNCTION N");
    const std::string name = t_[2].text;
    int index = HostFunctionIndex(name);
    if (index < 0) return Bad("'" + name + "' is not a host function");
    if (!Int(3, &v)) return false;
    *run = [name, index, v](RunState& s) {
      int got = s.host->calls[index];
      if (got != v) return Expected("calls to " + name, std::to_string(v), std::to_string(got));
      return std::string();
    };
    return true;
  }
  if (what == "station-callbacks" || what == "messages" || what == "edits-outside-callback") {
    if (n != 3) return Usage(("expect " + what + " N").c_str());
    if (!Int(2, &v)) return false;
    *run = [what, v](RunState& s) {
      int got = what == "messages"            ? static_cast<int>(s.host->sentMessages.size())
                : what == "station-callbacks" ? s.host->stationCallbacks
                                              : s.host->editsOutsideCallback;
      if (got != v) return Expected(what, std::to_string(v), std::to_string(got));
      return std::string();
    };
    return true;
  }
  if (what == "message") {
    const char* usage = "expect message I [code N] [product N] [id N] [index N] [option N]";
    if (n < 3 || (n - 3) % 2 != 0) return Usage(usage);
    int32_t index;
    if (!Int(2, &index)) return false;
    std::vector<std::pair<std::string, int32_t>> fields;
    for (size_t i = 3; i < n; i += 2) {
      const std::string field = t_[i].text;
      if (field != "code" && field != "product" && field != "id" && field != "index" &&
          field != "option") {
        return Bad("'" + field + "' is not a message field (code, product, id, index, option)");
      }
      int32_t value;
      if (!Int(i + 1, &value)) return false;
      fields.push_back({field, value});
    }
    *run = [index, fields](RunState& s) {
      const auto& sent = s.host->sentMessages;
      if (index < 0 || index >= static_cast<int>(sent.size())) {
        return "no message " + std::to_string(index) + ": the host received " +
               std::to_string(sent.size());
      }
      const SentMessage& m = sent[index];
      for (const auto& [field, want] : fields) {
        uint32_t got = field == "code"      ? Bits(m.message)
                       : field == "product" ? m.record.product
                       : field == "id"      ? m.record.id
                       : field == "index"   ? Bits(m.record.index)
                                            : Bits(m.option);
        if (got != Bits(want)) {
          return Expected("message " + std::to_string(index) + " " + field, Number(Bits(want)),
                          Number(got));
        }
      }
      return std::string();
    };
    return true;
  }
  if (what == "vertex" || what == "float-array") {
    const bool vertex = what == "vertex";
    int32_t ulps = 0;
    float within = -1;  // an absolute tolerance, for frames the host computes
    size_t end = n;
    if (n >= 2 && Word(n - 2, "ulps")) {
      if (!Int(n - 1, &ulps)) return false;
      if (ulps < 0) return Bad("ulps must not be negative");
      end = n - 2;
    } else if (n >= 2 && Word(n - 2, "within")) {
      if (!Float(n - 1, &within)) return false;
      if (!(within >= 0)) return Bad("within takes a distance of 0 or more");
      end = n - 2;
    }
    int32_t object, index;
    std::vector<float> want;
    if (vertex) {
      if (end != 7) return Usage("expect vertex OBJ V X Y Z [ulps N | within D]");
    } else if (end < 5) {
      return Usage("expect float-array OBJ ID V ... [ulps N | within D]");
    }
    if (!Int(2, &object) || !Int(3, &index) || !ParseFloats(4, end, &want)) return false;
    if (!vertex) {
      size_t size = index == kLocalFrameArray                                    ? 16
                    : (index == kLocalAnglesArray || index == kLocalOriginArray) ? 3
                                                                                 : 0;
      if (size == 0)
        return Bad("the host keeps float arrays 770, 771 and 772 only, not " +
                   std::to_string(index));
      if (want.size() != size) {
        return Bad("float array " + std::to_string(index) + " holds " + std::to_string(size) +
                   " floats, not " + std::to_string(want.size()));
      }
    }
    *run = [vertex, object, index, want, ulps, within](RunState& s) {
      std::string error = NeedObject(s, object);
      if (!error.empty()) return error;
      Object* o = s.doc().ObjectAt(object);
      const float* got;
      std::string name;
      if (vertex) {
        if (index < 0 || index >= static_cast<int>(o->vertices.size())) {
          return "vertex " + std::to_string(index) + " does not exist in object " +
                 std::to_string(object);
        }
        got = &o->vertices[index].x;
        name = "vertex " + std::to_string(object) + " " + std::to_string(index);
      } else {
        int count;
        got = o->FloatArray(index, &count);
        name = "float array " + std::to_string(index) + " of object " + std::to_string(object);
      }
      const int count = static_cast<int>(want.size());
      for (int i = 0; i < count; ++i) {
        const bool match = within >= 0 ? std::fabs(double(got[i]) - want[i]) <= within
                                       : FloatsMatch(got[i], want[i], ulps);
        if (!match) {
          std::string tolerance = ulps ? " (within " + std::to_string(ulps) + " ulps)" : "";
          if (within >= 0) tolerance = " (within " + FormatFloat(within) + ")";
          return Expected(name + tolerance, Floats(want.data(), count), Floats(got, count));
        }
      }
      return std::string();
    };
    return true;
  }
  bool known = false;
  bool ok = ParsePanelExpect(what, run, &known);
  if (known) return ok;
  return Bad("unknown expectation '" + t_[1].text + "'");
}

bool Parser::ParsePanelExpect(const std::string& what, Run* run, bool* known) {
  *known = true;
  const size_t n = t_.size();
  int id = 0;
  if (what == "field") {
    if (n != 4 || !t_[3].quoted) return Usage("expect field ID \"TEXT\"");
    if (!Control(2, &id)) return false;
    std::string want = t_[3].text;
    *run = [id, want](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (!error.empty()) return error;
      char buffer[1024] = {};
      if (!s.driver->GetText(id, buffer, sizeof buffer))
        return "field " + std::to_string(id) + ": no such control";
      if (want != buffer)
        return Expected("field " + std::to_string(id), Quote(want), Quote(buffer));
      return std::string();
    };
    return true;
  }
  if (what == "checked" || what == "enabled") {
    bool want;
    if (n != 4) return Usage(("expect " + what + " ID yes|no").c_str());
    if (!Control(2, &id) || !YesNo(3, &want)) return false;
    const bool checked = what == "checked";
    *run = [id, want, checked, what](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (!error.empty()) return error;
      bool got = checked ? s.driver->IsChecked(id) : s.driver->IsEnabled(id);
      if (got != want)
        return Expected(what + " " + std::to_string(id), want ? "yes" : "no", got ? "yes" : "no");
      return std::string();
    };
    return true;
  }
  if (what == "visible" || what == "panel") {
    bool want;
    if (n != 3) return Usage(("expect " + what + " yes|no").c_str());
    if (!YesNo(2, &want)) return false;
    const bool visible = what == "visible";
    *run = [want, visible, what](RunState& s) {
      std::string error = NeedPanel(s);
      if (!error.empty()) return error;
      bool exists = s.driver->Exists();
      bool got = visible ? exists && s.driver->IsVisible() : exists;
      if (got != want)
        return Expected(visible ? "panel visible" : "panel exists", want ? "yes" : "no",
                        got ? "yes" : "no");
      return std::string();
    };
    return true;
  }
  if (what == "beeps") {
    int32_t want;
    if (n != 3) return Usage("expect beeps N");
    if (!Int(2, &want)) return false;
    *run = [want](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (!error.empty()) return error;
      int got = s.driver->BeepCount();
      if (got != want) return Expected("beeps", std::to_string(want), std::to_string(got));
      return std::string();
    };
    return true;
  }
  if (what == "focus") {
    if (n != 3) return Usage("expect focus ID|none");
    if (!Word(2, "none") && !Control(2, &id)) return false;
    *run = [id](RunState& s) {
      std::string error = NeedPanelWindow(s);
      if (!error.empty()) return error;
      int got = s.driver->FocusedControl();
      auto name = [](int i) { return i == 0 ? std::string("none") : std::to_string(i); };
      if (got != id) return Expected("focus", name(id), name(got));
      return std::string();
    };
    return true;
  }
  *known = false;
  return false;
}

bool Parser::ParsePrint(Run* run) {
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

}  // namespace

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
        (!tokens.empty() && !Parser(tokens).Parse(&run, &error))) {
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

}  // namespace standin
