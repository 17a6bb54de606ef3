// MQOnEvent's dispatch: decodes an event code and its option list and calls one
// operation of a station plug-in object.
#pragma once

#include "plugin/plugin_base.h"

// One pair of an option list; a pair whose key is null ends the list.
struct OptionPair {
  const char* key;
  void* value;
};

// Event codes that the dispatcher knows.
namespace event {
constexpr int kStart = 1, kStop = 2;
constexpr int kShow = 100, kIsShown = 101, kEvent102 = 102, kPlugInMessage = 103;
constexpr int kEvent110 = 110;
constexpr int kFirstPointer = 120, kLastPointer = 130, kKeyDown = 140, kKeyUp = 141;
constexpr int kEvent200 = 200, kEvent201 = 201, kEvent202 = 202;
constexpr int kEvent210 = 210, kEvent211 = 211, kEvent212 = 212;
constexpr int kEvent220 = 220, kEvent221 = 221, kEvent222 = 222;
constexpr int kEvent230 = 230, kEvent231 = 231, kEvent240 = 240;
}  // namespace event

// The value pointer of the first pair whose key equals key exactly (byte by byte,
// case-sensitive), or null. A null list has no keys.
void* FindOption(const OptionPair* list, const char* key);

// The 32-bit int an option points at, or fallback when the key is absent.
int ReadIntOption(const OptionPair* list, const char* key, int fallback);

// True for events whose operation may call the host: they need a bound host
// function table.
bool EventNeedsHost(int code);

// What such an event answers when it does nothing because the table is not bound:
// 1 for events 220 to 222, which answer 1 whatever they do, 0 for the others.
int AnswerWithoutHost(int code);

// Calls the operation of code on plugin and answers as the event table says. arg is
// the option list, or for events 100 and 102 a pointer to the event's int flag.
int DispatchEvent(MQStationPlugin* plugin, MQDocument doc, int code, void* arg);
