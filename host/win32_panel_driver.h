// The panel driver of the Windows build: drives the plug-in's real panel dialog
// through window messages. Implemented in host/win32_panel_driver.cpp.
#pragma once

#include "panel/panel_driver.h"

PanelDriver* CreateWin32PanelDriver();
