// Types that cross the boundary between the host modeller and the plug-in.
//
// Handles are opaque: the plug-in never looks inside them and keeps none of them
// beyond the call that delivered it.
#pragma once

#include <cstddef>
#include <cstdint>

// The document and object handles, and the per-object float arrays of the local frame,
// are the geometry's as much as the boundary's: they come with its document port.
#include "geometry/document_port.h"

struct MQSceneHandle;
typedef MQSceneHandle* MQScene;

// The host's main window. On Windows it is an HWND; elsewhere it is whatever the
// stand-in host hands out, and only passed on to the panel.
typedef void* MQWindowHandle;

// Host message sent when the panel is closed with its close box.
constexpr int kStationClosedMessage = 100;

// Data of an MQ_SendMessage call, in the platform's natural C layout: three 32-bit
// words, then the option pointer at its own alignment. This record is the one place
// where the data of the two Windows editions differ. On 32-bit Windows it is four
// 32-bit words, 16 bytes, the option at offset 12. On 64-bit Windows the pointer is 8
// bytes and 8-aligned, so 4 bytes of padding follow the index and the option sits at
// offset 16, 24 bytes in all: the layout the host's own compiler gives the same
// declaration, and the one the host reads.
struct HostMessageRecord {
  uint32_t product;
  uint32_t id;
  int32_t index;    // always 0
  int32_t* option;  // points at a 32-bit 0
};
static_assert(offsetof(HostMessageRecord, product) == 0 && offsetof(HostMessageRecord, id) == 4 &&
              offsetof(HostMessageRecord, index) == 8);
static_assert(sizeof(void*) == 8
                  ? offsetof(HostMessageRecord, option) == 16 && sizeof(HostMessageRecord) == 24
                  : offsetof(HostMessageRecord, option) == 12 && sizeof(HostMessageRecord) == 16,
              "the message record must keep the host's layout on both editions");

// The procedure handed to MQ_StationCallback; the host calls it back with the
// document that may now be edited and the option pointer unchanged.
typedef int (*MQStationCallbackProc)(MQDocument doc, void* option);

// Host-side version this plug-in requires, and the version it answers with.
constexpr uint32_t kMinimumHostVersion = 9360;   // 0x2490
constexpr uint32_t kPluginInterfaceVersion = 585;  // 0x249
