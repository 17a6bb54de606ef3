#include "plugin/event_dispatch.h"

namespace {

bool SameKey(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (*a != *b) return false;
    if (*a == 0) return true;
  }
}

int ReadFlag(void* arg) { return arg != nullptr ? *static_cast<int32_t*>(arg) : 0; }

// "button_state" bits in the order the record lists the flags.
void FillButtonFlags(MouseStateRecord* state, int buttons) {
  state->leftButton = (buttons >> 0) & 1;
  state->middleButton = (buttons >> 4) & 1;
  state->rightButton = (buttons >> 1) & 1;
  state->shiftKey = (buttons >> 2) & 1;
  state->ctrlKey = (buttons >> 3) & 1;
  state->altKey = (buttons >> 5) & 1;
}

// Events 120 to 130, 140 and 141, for command plug-ins only.
int DispatchCommandEvent(MQCommandPlugin* plugin, MQDocument doc, int code,
                         const OptionPair* options) {
  void* scene = FindOption(options, "scene");
  MouseStateRecord state = {};
  FillButtonFlags(&state, ReadIntOption(options, "button_state", 0));
  if (code == event::kKeyDown || code == event::kKeyUp) {
    int key = ReadIntOption(options, "key", 0);
    return code == event::kKeyDown ? plugin->OnKeyDown(doc, scene, key, &state)
                                   : plugin->OnKeyUp(doc, scene, key, &state);
  }
  state.x = ReadIntOption(options, "mouse_pos_x", 0);
  state.y = ReadIntOption(options, "mouse_pos_y", 0);
  state.wheel = ReadIntOption(options, "mouse_wheel", 0);
  typedef int (MQCommandPlugin::*PointerOperation)(MQDocument, void*, MouseStateRecord*);
  static constexpr PointerOperation kPointerOperations[] = {
      &MQCommandPlugin::OnLeftButtonDown,   &MQCommandPlugin::OnLeftButtonMove,
      &MQCommandPlugin::OnLeftButtonUp,     &MQCommandPlugin::OnMiddleButtonDown,
      &MQCommandPlugin::OnMiddleButtonMove, &MQCommandPlugin::OnMiddleButtonUp,
      &MQCommandPlugin::OnRightButtonDown,  &MQCommandPlugin::OnRightButtonMove,
      &MQCommandPlugin::OnRightButtonUp,    &MQCommandPlugin::OnMouseMove,
      &MQCommandPlugin::OnMouseWheel,
  };
  return (plugin->*kPointerOperations[code - event::kFirstPointer])(doc, scene, &state);
}

}  // namespace

void* FindOption(const OptionPair* list, const char* key) {
  if (list == nullptr) return nullptr;
  for (const OptionPair* pair = list; pair->key != nullptr; ++pair) {
    if (SameKey(pair->key, key)) return pair->value;
  }
  return nullptr;
}

int ReadIntOption(const OptionPair* list, const char* key, int fallback) {
  void* value = FindOption(list, key);
  return value != nullptr ? *static_cast<int32_t*>(value) : fallback;
}

bool EventNeedsHost(int code) {
  switch (code) {
    case event::kStart:
    case event::kShow:
    case event::kEvent210:
    case event::kEvent211:
    case event::kEvent220:
    case event::kEvent221:
    case event::kEvent222:
      return true;
    default:
      return false;
  }
}

int AnswerWithoutHost(int code) {
  return code == event::kEvent220 || code == event::kEvent221 || code == event::kEvent222 ? 1 : 0;
}

int DispatchEvent(MQStationPlugin* plugin, MQDocument doc, int code, void* arg) {
  const OptionPair* options = static_cast<const OptionPair*>(arg);

  if ((code >= event::kFirstPointer && code <= event::kLastPointer) ||
      code == event::kKeyDown || code == event::kKeyUp) {
    auto* command = dynamic_cast<MQCommandPlugin*>(plugin);
    if (command == nullptr) return 0;
    return DispatchCommandEvent(command, doc, code, options);
  }

  switch (code) {
    case event::kStart:
      return plugin->StartStation();
    case event::kStop:
      plugin->StopStation();
      return 1;
    case event::kShow:
      return plugin->ShowStation(doc, ReadFlag(arg));
    case event::kIsShown:
      return plugin->IsStationShown(doc);
    case event::kEvent102:
      plugin->OnEvent102(doc, ReadFlag(arg));
      return 1;
    case event::kPlugInMessage: {
      int answer = plugin->ReceivePlugInMessage(
          doc, ReadIntOption(options, "src_product", 0), ReadIntOption(options, "src_id", 0),
          FindOption(options, "description"), FindOption(options, "message"));
      if (auto* result = static_cast<int32_t*>(FindOption(options, "result"))) *result = answer;
      return 1;
    }
    case event::kEvent110:
      plugin->OnEvent110(doc, FindOption(options, "scene"), ReadIntOption(options, "width", 1),
                         ReadIntOption(options, "height", 1));
      return 1;
    case event::kEvent200: {
      Event200Record record = {FindOption(options, "xml_elem")};
      plugin->OnEvent200(doc, FindOption(options, "filename"), &record);
      return 1;
    }
    case event::kEvent201:
      plugin->OnEvent201(doc);
      return 1;
    case event::kEvent202: {
      Event202Record record = {FindOption(options, "xml_elem"), 0};
      plugin->OnEvent202(doc, FindOption(options, "filename"), &record);
      if (record.saveUniqueIds != 0) {
        if (auto* save = static_cast<int32_t*>(FindOption(options, "save_uid"))) *save = 1;
      }
      return 1;
    }
    case event::kEvent210:
      return plugin->OnEvent210(doc, ReadIntOption(options, "state", 0));
    case event::kEvent211:
      return plugin->OnEvent211(doc, ReadIntOption(options, "state", 0));
    case event::kEvent212:
      plugin->OnEvent212(doc, ReadIntOption(options, "state", 0),
                         ReadIntOption(options, "size", 0));
      return 1;
    case event::kEvent220:
      plugin->OnEvent220(doc);
      return 1;
    case event::kEvent221:
      plugin->OnEvent221(doc);
      return 1;
    case event::kEvent222:
      plugin->OnEvent222(doc);
      return 1;
    case event::kEvent230:
      plugin->OnEvent230(doc);
      return 1;
    case event::kEvent231:
      plugin->OnEvent231(doc);
      return 1;
    case event::kEvent240:
      plugin->OnEvent240(doc, FindOption(options, "scene"));
      return 1;
    default:
      return 0;
  }
}
