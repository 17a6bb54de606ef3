// Scenario steps that build the document: objects, vertices and faces, selections,
// the current object, matrices, float arrays, refused callbacks, and waits.
#include <chrono>
#include <thread>

#include "host/scenario_step_parser.h"

namespace standin {

namespace {

// The object that vertex and face steps add to, or an error.
std::string NeedBuilding(RunState& s) {
  if (s.building < 0 || s.doc().ObjectAt(s.building) == nullptr) {
    return "no object to add to: start it with 'object'";
  }
  return "";
}

}  // namespace

bool StepParser::ParseDocumentStep(const std::string& verb, Run* run, bool* known) {
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

}  // namespace standin
