// Stands in for host/win32_panel_driver.cpp until that exists: no panel driver, so
// panel steps fail with a clear message while all other steps still run.
#include "host/win32_panel_driver.h"

PanelDriver* CreateWin32PanelDriver() { return nullptr; }
