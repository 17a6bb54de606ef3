// The numeric fields' keystroke filter, alone and as the panel applies it: any
// character code gets one verdict that depends on its low byte only, only characters
// of a decimal number reach a field, and Return runs the field's operation safely.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/station_harness.h"
#include "panel/control_ids.h"
#include "panel/keystroke_filter.h"
#include "panel/value_fields.h"

namespace {

constexpr int kFields[] = {ctl::kMoveX,   ctl::kMoveY,   ctl::kMoveZ,    ctl::kRotateX,
                           ctl::kRotateY, ctl::kRotateZ, ctl::kCentreX,  ctl::kMaxY,
                           ctl::kMinZ,    ctl::kStoredX, ctl::kTotalLength};

bool IsNumberCharacter(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; }

void CheckVerdict(uintptr_t code) {
  const NumEditKind kinds[] = {NumEditKind::kPlain, NumEditKind::kMove, NumEditKind::kDegree};
  const char c = static_cast<char>(code & 0xFF);
  for (NumEditKind kind : kinds) {
    const KeyVerdict verdict = ClassifyTypedChar(kind, code);
    fuzzing::Check(verdict == ClassifyTypedChar(kind, code & 0xFF), "verdict depends on high bits");
    if (IsNumberCharacter(c) || c == '\b') {
      fuzzing::Check(verdict == KeyVerdict::kToField, "a number character was refused");
    } else if (c == '\r') {
      fuzzing::Check((verdict == KeyVerdict::kRunAndConsume) == (kind != NumEditKind::kPlain),
                     "Return runs an operation in the wrong fields");
    } else if (c != '\t') {
      fuzzing::Check(verdict == KeyVerdict::kBeep, "a character that is no number got through");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!fuzzing::BindPlugin()) fuzzing::Fail("MQInit failed");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  standin::Document& doc = standin::Host::Instance().Reset();
  const int object = doc.AddObject("o", {{1, 2, 3}, {4, 5, 6}}, {{0, 1}});
  doc.SelectAllVertices(object);
  doc.currentObject = object;
  HeadlessPanel* panel = fuzzing::EnsureStation();
  for (int id : kFields) panel->SetText(id, "");

  while (in.remaining_bytes() > 0) {
    const int id = in.PickValueInArray(kFields);
    const uintptr_t code = in.ConsumeIntegral<uintptr_t>();
    CheckVerdict(code);
    const int beeps = panel->BeepCount();
    panel->Type(id, static_cast<char>(code & 0xFF));
    const bool beeped = panel->BeepCount() != beeps;
    const char c = static_cast<char>(code & 0xFF);
    fuzzing::Check(beeped == !(IsNumberCharacter(c) || c == '\b' || c == '\t' || c == '\r'),
                   "beep does not match the verdict");
    // Typed text holds number characters only (an operation run by Return rewrites
    // fields with formatted numbers, which are made of the same characters, or nan/inf).
    char text[kFieldTextSize];
    panel->GetText(id, text, sizeof text);
    for (const char* p = text; *p != 0; ++p) {
      fuzzing::Check(IsNumberCharacter(*p) || std::string("naif").find(*p) != std::string::npos,
                     "a field holds a character the filter refuses");
    }
  }
  fuzzing::CheckHostRules();
  return 0;
}
