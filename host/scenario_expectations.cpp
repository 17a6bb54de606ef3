// Scenario expectations: answers and texts of the last call, option values, host
// calls and messages, vertices and float arrays to the bit or within a tolerance,
// and what the panel shows. A failed one says what was expected and what was seen.
#include <cmath>
#include <cstdio>
#include <utility>

#include "host/scenario_step_parser.h"
#include "panel/panel_driver.h"
#include "plugin/host_functions.h"

namespace standin {

namespace {

std::string Expected(const std::string& what, const std::string& want, const std::string& got) {
  return what + ": expected " + want + ", got " + got;
}

}  // namespace

bool StepParser::ParseExpect(Run* run) {
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

bool StepParser::ParsePanelExpect(const std::string& what, Run* run, bool* known) {
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

}  // namespace standin
