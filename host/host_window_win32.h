// The stand-in host's main window and message pump on Windows.
#pragma once

#include "plugin/host_types.h"

namespace standin {

// Creates the visible top-level "host main window" once and makes it what
// MQ_GetWindowHandle answers; answers it (null if it could not be created).
MQWindowHandle CreateHostMainWindow();

// Dispatches the messages waiting on this thread, as the host's message loop does
// between user actions, and returns when none is left.
//
// The loop treats the plug-in's panel as a desktop host treats a modeless tool
// window: a message for a dialog of this thread (a top-level window of the dialog
// class other than the host's own main window), or for any control inside one, first
// goes through that dialog's dialog-message processing (IsDialogMessageW), so that
// Tab, Return, Escape and the arrow keys work in it as a person expects. The plug-in
// registers its own message filter with a message loop kept inside the DLL, which no
// host can see or drive; the host reaching each tool dialog through IsDialogMessage
// is how real hosts make such windows keyboard-friendly. Everything else is
// translated and dispatched as usual. The plug-in itself never runs a loop.
void PumpHostMessages();

}  // namespace standin
