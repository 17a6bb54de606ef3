// The panel's controls as data: the one description of dialog template 129 that
// both panels and the dialog resource are built from. Template order is the tab and
// drawing order.
#pragma once

#include <cstdint>
#include <iterator>

enum class ControlKind : uint8_t {
  kGroupBox,           // frame with a caption, no tab stop
  kStaticLabel,        // left-aligned text, starts a control group
  kAutoRadio,          // checks itself and unchecks the rest of its group
  kPushButton,         // sends a command with its ID
  kDefaultPushButton,  // the panel's one default button
  kEditableField,      // single-line numeric edit, right-aligned, tab stop
  kReadOnlyField,      // as editable, but read-only and no tab stop
};

// Flags of a control beyond its kind.
constexpr uint8_t kStartsGroup = 1;  // first radio of an auto-radio group
constexpr uint8_t kHidden = 2;       // never made visible
// Clipped against the sibling controls stacked above it, so that it never paints its
// background over a frame it reaches into (a group box's caption, say).
constexpr uint8_t kClipsSiblings = 4;

// Position and size in dialog units inside the panel's client area.
struct DialogRect {
  int16_t x, y, cx, cy;
};

struct ControlSpec {
  const char* name;  // ctl::k<name> in the code, <name> in scenarios; empty when unnamed
  int id;            // control ID; 65535 for frames and unnamed labels
  ControlKind kind;
  const char* label;  // UTF-8; empty for value fields
  DialogRect rect;
  uint8_t flags;
};

constexpr int kUnnamedControlId = 65535;

// The panel window itself.
constexpr int kPanelTemplateId = 129;
constexpr int kPanelIconId = 40000;
inline constexpr const char* kPanelTitle = "Gridwell 0.7";
inline constexpr const char* kPanelFontFace = "MS UI Gothic";
constexpr int kPanelFontPointSize = 9;
constexpr DialogRect kPanelRect = {0, 0, 413, 92};

// In template order: a control's place in this array is its place in the template.
// IDs other than 65535 are unique: both panels find a control by its ID. The rows are
// those of panel/layout_table.inc.
inline constexpr ControlSpec kPanelControls[] = {
#define NAMED_CONTROL(name, id, kind, label, x, y, width, height, flags) \
  {#name, id, ControlKind::kind, label, {x, y, width, height}, flags},
#define UNNAMED_CONTROL(kind, label, x, y, width, height, flags) \
  {"", kUnnamedControlId, ControlKind::kind, label, {x, y, width, height}, flags},
#include "panel/layout_table.inc"
};

constexpr int kPanelControlCount = static_cast<int>(std::size(kPanelControls));

// True for a control that can be pressed and sends a command when clicked.
constexpr bool IsButton(ControlKind kind) {
  return kind == ControlKind::kPushButton || kind == ControlKind::kDefaultPushButton ||
         kind == ControlKind::kAutoRadio;
}

constexpr bool IsValueField(ControlKind kind) {
  return kind == ControlKind::kEditableField || kind == ControlKind::kReadOnlyField;
}

// The fields a person types numbers into take no input method: their keys then arrive
// as the plain half-width characters on the key caps, whatever mode an input method
// (a Japanese one, say) is in, instead of full-width text composed for confirmation.
constexpr bool TypedWithoutInputMethod(ControlKind kind) {
  return kind == ControlKind::kEditableField;
}
