// The stand-in host's main window and message pump on Windows.
#pragma once

#include "plugin/host_types.h"

namespace standin {

// Creates the visible top-level "host main window" once and makes it what
// MQ_GetWindowHandle answers; answers it (null if it could not be created).
MQWindowHandle CreateHostMainWindow();

// Dispatches the messages waiting on this thread, as the host's message loop does
// between user actions.
void PumpHostMessages();

}  // namespace standin
