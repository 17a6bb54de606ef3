#include "tests/support/probed_panel.h"

#include <cstring>
#include <new>

#include "panel/value_fields.h"

namespace {
bool g_failNextCreation = false;
}  // namespace

StationPanel* CreateStationPanel(PanelClient* plugin) {
  return new (std::nothrow) ProbedPanel(plugin);
}

ProbedPanel* ProbedPanel::Current() { return static_cast<ProbedPanel*>(HeadlessPanel::Current()); }

void ProbedPanel::FailNextCreation() { g_failNextCreation = true; }

bool ProbedPanel::CreatePanel(PanelOwner owner) {
  if (g_failNextCreation) {
    g_failNextCreation = false;
    return false;
  }
  if (!HeadlessPanel::CreatePanel(owner)) return false;
  m_topmost = false;
  m_owner = owner;
  m_fieldWrites = 0;
  return true;
}

void ProbedPanel::MakeTopmost() {
  HeadlessPanel::MakeTopmost();
  if (Exists()) m_topmost = true;
}

void ProbedPanel::SetFieldText(int id, const char* text) {
  char shown[kFieldTextSize + 1];
  const bool known = GetText(id, shown, sizeof shown);
  if (known && std::strcmp(shown, text != nullptr ? text : "") != 0) ++m_fieldWrites;
  HeadlessPanel::SetFieldText(id, text);
}
