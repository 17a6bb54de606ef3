// The native build's panel for the plug-in. In a file of its own, so that a test may
// link a panel of its own making in its place.
#include <new>

#include "panel/headless/headless_panel.h"

StationPanel* CreateStationPanel(PanelClient* plugin) {
  return new (std::nothrow) HeadlessPanel(plugin);
}
