#include "panel/headless/headless_panel.h"

#include <algorithm>
#include <cstring>

#include "panel/control_ids.h"
#include "panel/field_text.h"

namespace {

HeadlessPanel* g_currentPanel = nullptr;

constexpr int kTabKey = 0x09;
constexpr int kReturnKey = 0x0D;
constexpr int kEscapeKey = 0x1B;

bool IsMoveField(int id) { return id == ctl::kMoveX || id == ctl::kMoveY || id == ctl::kMoveZ; }

bool IsRotationField(int id) {
  return id == ctl::kRotateX || id == ctl::kRotateY || id == ctl::kRotateZ;
}

// Which numeric edit a field has: the move and rotation fields run their operation on
// Return, the read-only fields are plain.
NumEditKind EditKindOf(int id) {
  if (IsMoveField(id)) return NumEditKind::kMove;
  if (IsRotationField(id)) return NumEditKind::kDegree;
  return NumEditKind::kPlain;
}

bool StartsGroup(const ControlSpec& control) {
  return (control.flags & kStartsGroup) != 0 || control.kind == ControlKind::kStaticLabel;
}

void CopyText(const std::string& text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  const size_t length = text.size() < static_cast<size_t>(size - 1) ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

// What the driver answers while no panel object exists at all.
class NoPanelDriver final : public PanelDriver {
 public:
  bool Exists() override { return false; }
  bool IsVisible() override { return false; }
  bool Click(int) override { return false; }
  bool Command(int, int) override { return false; }
  bool Hover(int) override { return false; }
  bool Type(int, char) override { return false; }
  bool PanelKey(int) override { return false; }
  bool PressKey(int) override { return false; }
  bool SetText(int, const char*) override { return false; }
  bool GetText(int, char* buffer, int size) override {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return false;
  }
  bool IsChecked(int) override { return false; }
  bool IsEnabled(int) override { return false; }
  int FocusedControl() override { return 0; }
  int BeepCount() override { return 0; }
};

}  // namespace

// The scenario tool finds the panel of the loaded plug-in through this export.
extern "C" PanelDriver* GridwellPanelDriver() {
  static NoPanelDriver noPanel;
  HeadlessPanel* panel = HeadlessPanel::Current();
  if (panel == nullptr) return &noPanel;
  return panel;
}

HeadlessPanel::HeadlessPanel(PanelClient* plugin) : m_plugin(plugin) { g_currentPanel = this; }

HeadlessPanel::~HeadlessPanel() {
  if (g_currentPanel == this) g_currentPanel = nullptr;
}

HeadlessPanel* HeadlessPanel::Current() { return g_currentPanel; }

// --- StationPanel ---

bool HeadlessPanel::CreatePanel(PanelOwner) {
  m_controls.clear();
  m_controls.reserve(kPanelControlCount);
  for (const ControlSpec& layout : kPanelControls) {
    const bool field = IsValueField(layout.kind);
    m_controls.push_back(
        {&layout, field ? "" : layout.label, false, true, (layout.flags & kHidden) == 0});
  }
  m_windowExists = true;
  m_visible = false;
  m_beeps = 0;

  // Initialisation as the dialog does it: Global and relative checked, paste buttons
  // off (they only make sense in absolute mode), focus on the first tab stop.
  Find(ctl::kGlobal)->checked = true;
  Find(ctl::kRelative)->checked = true;
  SetPasteButtonsEnabled(false);
  m_focus = 0;
  FocusNextTabStop();
  return true;
}

void HeadlessPanel::DestroyPanel() {
  m_windowExists = false;
  m_visible = false;
  m_focus = 0;
  m_controls.clear();
}

void HeadlessPanel::ShowPanel(bool show) {
  if (m_windowExists) m_visible = show;
}

// A window alone on the screen has nothing to be on top of.
void HeadlessPanel::MakeTopmost() {}

void HeadlessPanel::SetEditPlugin(PanelClient* plugin) { m_editPlugin = plugin; }

// As the dialog reads a field: at most 255 characters, never half of one.
void HeadlessPanel::GetFieldText(int id, char* buffer, int size) {
  Control* control = Find(id);
  CopyFieldText(control != nullptr ? control->text.c_str() : "", buffer, size);
}

void HeadlessPanel::SetFieldText(int id, const char* text) {
  Control* control = Find(id);
  if (control == nullptr) return;
  if (control->text == (text != nullptr ? text : "")) return;
  SetText(id, text);
}

bool HeadlessPanel::IsChecked(int id) {
  Control* control = Find(id);
  return control != nullptr && control->checked;
}

// --- PanelDriver ---

bool HeadlessPanel::Exists() { return m_windowExists; }

bool HeadlessPanel::IsVisible() { return m_windowExists && m_visible; }

bool HeadlessPanel::Click(int id) {
  Control* control = Find(id);
  if (control == nullptr) return false;
  // A hidden or disabled control cannot be reached by the mouse.
  if (!control->visible || !control->enabled) return true;
  const ControlKind kind = control->layout->kind;
  if (IsValueField(kind)) {
    m_focus = id;
  } else if (IsButton(kind)) {
    m_focus = id;
    if (kind == ControlKind::kAutoRadio)
      CheckInGroup(static_cast<int>(control - m_controls.data()));
    RunCommand(static_cast<unsigned>(id));
  }
  return true;
}

bool HeadlessPanel::Command(int id, int notification) {
  if (!m_windowExists) return false;
  RunCommand((static_cast<unsigned>(notification) << 16) | (static_cast<unsigned>(id) & 0xFFFFu));
  return true;
}

bool HeadlessPanel::Type(int id, char c) {
  Control* control = Find(id);
  if (control == nullptr || !IsValueField(control->layout->kind)) return false;
  m_focus = id;
  const NumEditKind kind = EditKindOf(id);
  switch (RunTypedChar(kind, static_cast<unsigned char>(c), m_editPlugin)) {
    case KeyVerdict::kBeep:
      Beep();
      break;
    case KeyVerdict::kConsume:
    case KeyVerdict::kRunAndConsume:
      break;
    case KeyVerdict::kToField:
      // What a single-line edit does with it: a read-only field takes nothing; an
      // editable one replaces its selection, or inserts at the caret, and applies
      // Backspace; Tab and Return change no text.
      if (control->layout->kind == ControlKind::kReadOnlyField) break;
      if (c != '\t' && c != '\r') EditAtCaret(*control, c);
      break;
  }
  return true;
}

bool HeadlessPanel::PanelKey(int virtualKey) {
  if (!m_windowExists) return false;
  if ((virtualKey & 0xFF) == kTabKey) {
    FocusNextTabStop();
  } else {
    Beep();
  }
  return true;
}

// Keys as the Windows dialog manager treats them in the host's message loop: Tab,
// Return and Escape anywhere; any other key only while the panel window itself has
// the focus, where it beeps. What other keys do in a field or on a button (editing,
// arrows, the space bar) is the platform's, and not modelled here.
bool HeadlessPanel::PressKey(int virtualKey) {
  if (!m_windowExists) return false;
  if (!m_visible) return true;  // no key reaches a hidden window
  switch (virtualKey & 0xFF) {
    case kTabKey:
      FocusNextTabStop();
      return true;
    case kReturnKey:
      PressReturn();
      return true;
    case kEscapeKey:
      RunCommand(ctl::kCloseCommand);
      return true;
    default:
      if (m_focus != 0) return false;
      Beep();
      return true;
  }
}

bool HeadlessPanel::SetText(int id, const char* text) {
  Control* control = Find(id);
  if (control == nullptr) return false;
  // assign() keeps the string's capacity, so rewriting a field allocates nothing once
  // it has held text of that length.
  control->text.assign(text != nullptr ? text : "");
  // As an edit control does when its text is set: the caret goes to the start.
  control->selectionStart = control->selectionEnd = 0;
  return true;
}

bool HeadlessPanel::GetText(int id, char* buffer, int size) {
  Control* control = Find(id);
  if (control == nullptr) {
    CopyText(std::string(), buffer, size);
    return false;
  }
  CopyText(control->text, buffer, size);
  return true;
}

bool HeadlessPanel::IsEnabled(int id) {
  Control* control = Find(id);
  return control != nullptr && control->enabled;
}

int HeadlessPanel::FocusedControl() { return m_windowExists ? m_focus : 0; }

int HeadlessPanel::BeepCount() { return m_beeps; }

// --- Inside ---

HeadlessPanel::Control* HeadlessPanel::Find(int id) {
  // 65535 is shared by every frame and unnamed label: it names no one control.
  if (!m_windowExists || id == kUnnamedControlId) return nullptr;
  for (Control& control : m_controls) {
    if (control.layout->id == id) return &control;
  }
  return nullptr;
}

// An auto radio checks itself and unchecks the other radios of its group, which runs
// from the control that starts it to the next control that starts a group.
void HeadlessPanel::CheckInGroup(int index) {
  int first = index;
  while (first > 0 && !StartsGroup(*m_controls[first].layout)) --first;
  const int count = static_cast<int>(m_controls.size());
  for (int i = first; i < count; ++i) {
    if (i > first && StartsGroup(*m_controls[i].layout)) break;
    if (m_controls[i].layout->kind == ControlKind::kAutoRadio) m_controls[i].checked = i == index;
  }
}

// A command without a route is left to default processing: nothing happens here.
void HeadlessPanel::RunCommand(unsigned commandParam) {
  RunPanelCommand(commandParam, m_plugin, *this);
}

void HeadlessPanel::HidePanel() { m_visible = false; }

void HeadlessPanel::SetPasteButtonsEnabled(bool enabled) {
  for (int id : ctl::kPasteButtons) {
    if (Control* button = Find(id)) button->enabled = enabled;
  }
}

// Return: a focused push button is pressed; a move or rotation field runs its own
// operation, as its numeric edit does with the Return character; anywhere else (a
// radio, a read-only field, the panel itself) the default button is pressed.
void HeadlessPanel::PressReturn() {
  const Control* focused = m_focus != 0 ? Find(m_focus) : nullptr;
  const ControlKind kind = focused != nullptr ? focused->layout->kind : ControlKind::kGroupBox;
  if (kind == ControlKind::kPushButton || kind == ControlKind::kDefaultPushButton) {
    RunCommand(static_cast<unsigned>(m_focus));
  } else if (kind == ControlKind::kEditableField) {
    Type(m_focus, '\r');
  } else if (const Control* button = Find(ctl::kMove); button != nullptr && button->enabled) {
    RunCommand(static_cast<unsigned>(ctl::kMove));
  }
}

// Editable fields and buttons take the focus from the keyboard; of a group of radios
// only the checked one, which holds the group's tab stop.
bool HeadlessPanel::IsTabStop(const Control& control) const {
  const ControlKind kind = control.layout->kind;
  bool tabStop = kind == ControlKind::kEditableField || IsButton(kind);
  if (kind == ControlKind::kAutoRadio) tabStop = control.checked;
  return tabStop && control.visible && control.enabled;
}

// The next control in template order that takes the focus from the keyboard, after the
// focused one, wrapping round.
void HeadlessPanel::FocusNextTabStop() {
  const int count = static_cast<int>(m_controls.size());
  int start = -1;
  for (int i = 0; i < count; ++i) {
    if (m_controls[i].layout->id == m_focus) start = i;
  }
  for (int step = 1; step <= count; ++step) {
    const Control& candidate = m_controls[(start + step + count) % count];
    if (IsTabStop(candidate)) {
      m_focus = candidate.layout->id;
      // The dialog manager selects the whole text of a field that Tab enters, so
      // that what is typed next replaces it.
      Control& entered = m_controls[(start + step + count) % count];
      entered.selectionStart = 0;
      entered.selectionEnd = entered.text.size();
      return;
    }
  }
}

// One character that reaches an editable field: Backspace deletes the selection, or
// the character before the caret; any other character replaces the selection.
void HeadlessPanel::EditAtCaret(Control& field, char c) {
  size_t start = std::min(field.selectionStart, field.text.size());
  size_t end = std::min(std::max(field.selectionEnd, start), field.text.size());
  if (c == '\b' && start == end && start > 0) --start;
  field.text.erase(start, end - start);
  if (c != '\b') field.text.insert(start++, 1, c);
  field.selectionStart = field.selectionEnd = start;
}
