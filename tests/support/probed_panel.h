// The headless panel with what tests want to know of the window system behind it:
// whether the plug-in made it topmost, which window owns it, how many field texts it
// changed. It can also fail its next creation, as a window creation can. Test
// programs that link tests/support's gridwell_probed_panel get one of these from
// every CreateStationPanel in place of the plain headless panel.
#pragma once

#include "panel/headless/headless_panel.h"

class ProbedPanel final : public HeadlessPanel {
 public:
  using HeadlessPanel::HeadlessPanel;

  // The panel object most recently made and not yet deleted, or null.
  static ProbedPanel* Current();
  // Makes the next CreatePanel fail.
  static void FailNextCreation();

  bool CreatePanel(PanelOwner owner) override;
  void MakeTopmost() override;
  void SetFieldText(int id, const char* text) override;

  bool IsTopmost() const { return m_topmost; }
  PanelOwner Owner() const { return m_owner; }
  // Field texts the plug-in changed through SetFieldText since the panel was created:
  // the writes a window system would see. Unchanged texts are not written.
  long FieldWrites() const { return m_fieldWrites; }

 private:
  bool m_topmost = false;
  PanelOwner m_owner = nullptr;
  long m_fieldWrites = 0;
};
