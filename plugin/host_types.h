// Types that cross the boundary between the host modeller and the plug-in.
//
// Handles are opaque: the plug-in never looks inside them and keeps none of them
// beyond the call that delivered it.
#pragma once

#include <cstdint>

struct MQDocumentHandle;
struct MQObjectHandle;
struct MQSceneHandle;
typedef MQDocumentHandle* MQDocument;
typedef MQObjectHandle* MQObject;
typedef MQSceneHandle* MQScene;

// The host's main window. On Windows it is an HWND; elsewhere it is whatever the
// stand-in host hands out, and only passed on to the panel.
typedef void* MQWindowHandle;

// Per-object float arrays that the plug-in writes and reads.
constexpr int kLocalAnglesArray = 770;  // 3 floats: heading, elevation, 0 (degrees)
constexpr int kLocalOriginArray = 771;  // 3 floats: a vertex position
constexpr int kLocalFrameArray = 772;   // 16 floats, never interpreted

// Host message sent when the panel is closed with its close box.
constexpr int kStationClosedMessage = 100;

// Data of an MQ_SendMessage call. Four 32-bit words on the 32-bit platform.
struct HostMessageRecord {
  uint32_t product;
  uint32_t id;
  int32_t index;    // always 0
  int32_t* option;  // points at a 32-bit 0
};

// The procedure handed to MQ_StationCallback; the host calls it back with the
// document that may now be edited and the option pointer unchanged.
typedef int (*MQStationCallbackProc)(MQDocument doc, void* option);

// Host-side version this plug-in requires, and the version it answers with.
constexpr uint32_t kMinimumHostVersion = 9360;   // 0x2490
constexpr uint32_t kPluginInterfaceVersion = 585;  // 0x249
