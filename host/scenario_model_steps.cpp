// Scenario steps for real models: OBJ files in and out, selections by object, by
// region or of everything, frames that follow the float arrays, the table of what
// the operations did, and a pause that lets a person use the panel.
#include <algorithm>
#include <chrono>
#include <thread>

#include "host/frame_from_arrays.h"
#include "host/scenario_step_parser.h"
#include "panel/panel_driver.h"

namespace standin {

namespace {

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

// A file name, quoted or not.
bool StepParser::Path(const char* usage, std::string* path) {
  if (t_.size() != 2 || t_[1].text.empty()) return Usage(usage);
  *path = t_[1].text;
  return true;
}

bool StepParser::ParseModelStep(Run* run, bool* known) {
  *known = true;
  const std::string verb = t_[0].quoted ? std::string() : t_[0].text;
  const size_t n = t_.size();
  bool ok = true;
  if (verb == "load-obj") {
    std::string path;
    ok = Path("load-obj \"PATH\"", &path);
    *run = [path](RunState& s) {
      auto source = std::make_unique<ObjSource>();
      std::string error;
      s.framesFollowArrays.clear();
      s.building = -1;
      if (!LoadObjFile(path, s.doc(), source.get(), &error)) {
        s.loadedObj.reset();
        return "load-obj: " + error;
      }
      s.loadedObj = std::move(source);
      return std::string();
    };
  } else if (verb == "save-obj") {
    std::string path;
    ok = Path("save-obj \"PATH\"", &path);
    *run = [path](RunState& s) {
      std::string error;
      if (!SaveObjFile(path, s.doc(), s.loadedObj.get(), &error)) return "save-obj: " + error;
      if (s.env->out) *s.env->out << "saved " << path << "\n";
      return std::string();
    };
  } else if (verb == "select-all") {
    if (n != 1) return Usage("select-all");
    *run = [](RunState& s) {
      for (int i = 0; i < s.doc().ObjectCount(); ++i) {
        if (s.doc().ObjectAt(i) != nullptr) s.doc().SelectAllVertices(i);
      }
      return std::string();
    };
  } else if (verb == "select-object") {
    if (n != 2) return Usage("select-object OBJ|NAME");
    Token object = t_[1];
    *run = [object](RunState& s) {
      std::string error;
      int index = FindObject(s, object, &error);
      if (index >= 0) s.doc().SelectAllVertices(index);
      return error;
    };
  } else if (verb == "select-box") {
    if (n != 7) return Usage("select-box X0 Y0 Z0 X1 Y1 Z1");
    float v[6];
    for (int i = 0; i < 6; ++i) {
      if (!Float(i + 1, &v[i])) return false;
    }
    float low[3], high[3];
    for (int a = 0; a < 3; ++a) {
      low[a] = std::min(v[a], v[a + 3]);
      high[a] = std::max(v[a], v[a + 3]);
    }
    *run = [low = std::to_array(low), high = std::to_array(high)](RunState& s) {
      Document& doc = s.doc();
      for (int i = 0; i < doc.ObjectCount(); ++i) {
        const Object* o = doc.ObjectAt(i);
        for (size_t k = 0; o != nullptr && k < o->vertices.size(); ++k) {
          const Vertex& p = o->vertices[k];
          const float c[3] = {p.x, p.y, p.z};
          bool inside = true;
          for (int a = 0; a < 3; ++a) inside = inside && c[a] >= low[a] && c[a] <= high[a];
          if (inside) doc.SelectVertex(i, static_cast<int>(k));
        }
      }
      return std::string();
    };
  } else if (verb == "frame-follows-arrays") {
    bool on;
    if (n != 3) return Usage("frame-follows-arrays OBJ|NAME yes|no");
    if (!YesNo(2, &on)) return false;
    Token object = t_[1];
    *run = [object, on](RunState& s) {
      std::string error;
      int index = FindObject(s, object, &error);
      if (index < 0) return error;
      auto& follow = s.framesFollowArrays;
      follow.erase(std::remove(follow.begin(), follow.end(), index), follow.end());
      if (on) follow.push_back(index);
      FollowFrameArrays(s);
      return std::string();
    };
  } else if (verb == "record") {
    if (n != 2 || !t_[1].quoted) return Usage("record \"LABEL\"");
    std::string label = t_[1].text;
    *run = [label](RunState& s) {
      s.report.push_back(MeasureSelection(s.doc(), label));
      return std::string();
    };
  } else if (verb == "print-table") {
    if (n != 1) return Usage("print-table");
    *run = [](RunState& s) {
      if (s.report.empty()) return std::string("print-table: nothing recorded yet (use 'record')");
      if (s.env->out) PrintReport(s.report, *s.env->out);
      return std::string();
    };
  } else if (verb == "interact") {
    if (n != 1) return Usage("interact");
    *run = [](RunState& s) {
      if (!s.env->panelOnScreen) {
        return std::string("interact: this panel has no window a person could use");
      }
      std::string why;
      PanelDriver* driver = s.env->panelDriver ? s.env->panelDriver(&why) : nullptr;
      if (driver == nullptr || !driver->Exists()) {
        return std::string("interact: no panel is up (start the station with 'event 1')");
      }
      if (s.env->out) {
        *s.env->out << "The panel is yours: close it to go on.\n";
        s.env->out->flush();
      }
      // The close box hides the panel; stopping the station destroys it.
      while (driver->Exists() && driver->IsVisible()) {
        if (s.env->afterStep) s.env->afterStep();
        FollowFrameArrays(s);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        driver = s.env->panelDriver(&why);
        if (driver == nullptr) break;
      }
      return std::string();
    };
  } else if (verb == "expect" && n >= 2 && !t_[1].quoted && t_[1].text == "selected") {
    int32_t want;
    if (n != 3 || !ParseInt(t_[2], &want)) return Usage("expect selected N");
    *run = [want](RunState& s) {
      int got = MeasureSelection(s.doc(), "").selected;
      if (got == want) return std::string();
      return "selected vertices: expected " + std::to_string(want) + ", got " + std::to_string(got);
    };
  } else {
    *known = false;
    return false;
  }
  return ok;
}

int FindObject(RunState& s, const Token& token, std::string* error) {
  int32_t index;
  Document& doc = s.doc();
  if (ParseInt(token, &index)) {
    if (doc.ObjectAt(index) != nullptr) return index;
    *error = "object " + std::to_string(index) + " does not exist";
    return -1;
  }
  for (int i = 0; i < doc.ObjectCount(); ++i) {
    const Object* o = doc.ObjectAt(i);
    if (o != nullptr && o->name == token.text) return i;
  }
  *error = "no object is named " + Quoted(token.text);
  return -1;
}

void FollowFrameArrays(RunState& s) {
  for (int index : s.framesFollowArrays) {
    Object* o = s.doc().ObjectAt(index);
    if (o == nullptr) continue;
    Matrix m;
    if (FrameFromLocalArrays(o->localAngles, o->localOrigin, &m) && m != o->globalMatrix) {
      s.doc().SetGlobalMatrix(index, m);
    }
  }
}

}  // namespace standin
