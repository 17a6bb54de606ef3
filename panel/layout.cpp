// The rules the layout table keeps, checked by the compiler: a table that breaks one
// does not build.
#include "panel/layout.h"

#include "panel/control_ids.h"

namespace {

constexpr bool IdsAreUniqueExceptUnnamed() {
  for (int i = 0; i < kPanelControlCount; ++i) {
    for (int j = i + 1; j < kPanelControlCount; ++j) {
      if (kPanelControls[i].id != kUnnamedControlId &&
          kPanelControls[i].id == kPanelControls[j].id) {
        return false;
      }
    }
  }
  return true;
}

// A dialog template holds a control's ID in 16 bits; 65535 is the unnamed one's.
constexpr bool IdsFitATemplate() {
  for (const ControlSpec& control : kPanelControls) {
    if (control.id <= 0 || control.id > kUnnamedControlId) return false;
  }
  return true;
}

// The platform sends OK and Cancel as commands 1 and 2 (Return with no default
// button, Escape, the close box); a control with either ID would be taken for them.
constexpr bool NoControlHasACommandsId() {
  for (const ControlSpec& control : kPanelControls) {
    if (control.id == ctl::kHideCommand || control.id == ctl::kCloseCommand) return false;
  }
  return true;
}

constexpr int CountOf(ControlKind kind) {
  int count = 0;
  for (const ControlSpec& control : kPanelControls) count += control.kind == kind;
  return count;
}

static_assert(IdsAreUniqueExceptUnnamed(), "two controls share an ID other than 65535");
static_assert(IdsFitATemplate(), "a control ID outside 1 to 65535");
static_assert(NoControlHasACommandsId(), "a control has the ID of the hide or close command");
static_assert(CountOf(ControlKind::kDefaultPushButton) == 1, "the panel has one default button");

}  // namespace
