// Scenario steps that call the plug-in: its exports, and MQOnEvent with an option
// list, a null list or a pointer to one int.
#include "host/scenario_step_parser.h"

namespace standin {

bool StepParser::ParseCall(Run* run) {
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

bool StepParser::ParseEvent(Run* run) {
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

}  // namespace standin
