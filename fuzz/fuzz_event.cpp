// MQOnEvent with arbitrary event codes and option lists, on a small document, with
// the station started, stopped and shown in any order. No event may edit the
// document, call a host function it does not use, or touch memory it was not
// given.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/station_harness.h"
#include "plugin/event_dispatch.h"

namespace {

constexpr int kKnownCodes[] = {1,   2,   100, 101, 102, 103, 110, 120, 125, 130, 140, 141,
                               200, 201, 202, 210, 211, 212, 220, 221, 222, 230, 231, 240};
const char* const kKnownKeys[] = {
    "state",  "size",    "scene",        "xml_elem",    "filename",    "save_uid",
    "src_product", "src_id", "description", "message", "result", "width", "height",
    "button_state", "key", "mouse_pos_x", "mouse_pos_y", "mouse_wheel",
};

// Every vertex of the document, to compare before and after.
std::vector<standin::Vertex> AllVertices(const standin::Document& doc) {
  std::vector<standin::Vertex> all;
  for (int o = 0; o < doc.ObjectCount(); ++o) {
    if (const standin::Object* object = doc.ObjectAt(o)) {
      all.insert(all.end(), object->vertices.begin(), object->vertices.end());
    }
  }
  return all;
}

void BuildDocument(FuzzedDataProvider& in, standin::Document& doc) {
  const int object = doc.AddObject("o");
  const int vertices = in.ConsumeIntegralInRange(0, 6);
  for (int v = 0; v < vertices; ++v) {
    doc.AddVertex(object, in.ConsumeFloatingPoint<float>(), in.ConsumeFloatingPoint<float>(),
                  in.ConsumeFloatingPoint<float>());
    if (in.ConsumeBool()) doc.SelectVertex(object, v);
  }
  if (vertices >= 3) {
    doc.AddFace(object, {0, 1, 2});
    doc.SelectLine(object, 0, in.ConsumeIntegralInRange(0, 2));
  }
  doc.currentObject = in.ConsumeIntegralInRange(-1, 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!fuzzing::BindPlugin()) fuzzing::Fail("MQInit failed");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  standin::Document& doc = standin::Host::Instance().Reset();
  BuildDocument(in, doc);
  const std::vector<standin::Vertex> before = AllVertices(doc);

  // Values the options point at: ints the host owns, 8 bytes each so that a 32-bit
  // read or write through any of them stays inside.
  int64_t values[8] = {};
  std::string keys[8];
  OptionPair list[9] = {};

  const int events = in.ConsumeIntegralInRange(1, 12);
  for (int e = 0; e < events && in.remaining_bytes() > 0; ++e) {
    const int code = in.ConsumeBool() ? in.PickValueInArray(kKnownCodes)
                                      : in.ConsumeIntegral<int32_t>();
    void* arg = nullptr;
    if (code == 100 || code == 102) {
      // These two take a pointer to one int, or null.
      values[0] = in.ConsumeIntegral<int32_t>();
      if (in.ConsumeBool()) arg = &values[0];
    } else if (in.ConsumeIntegralInRange(0, 7) != 0) {
      const int pairs = in.ConsumeIntegralInRange(0, 8);
      for (int p = 0; p < pairs; ++p) {
        keys[p] = in.ConsumeBool() ? std::string(in.PickValueInArray(kKnownKeys))
                                   : in.ConsumeRandomLengthString(16);
        values[p] = in.ConsumeIntegral<int32_t>();
        list[p] = {keys[p].c_str(), in.ConsumeBool() ? &values[p] : nullptr};
      }
      list[pairs] = {nullptr, nullptr};
      arg = list;
    }
    MQOnEvent(doc.Handle(), code, arg);
    fuzzing::CheckHostRules();
  }

  const std::vector<standin::Vertex> after = AllVertices(doc);
  fuzzing::Check(before.size() == after.size(), "an event changed the vertex count");
  fuzzing::Check(before.empty() || std::memcmp(before.data(), after.data(),
                                               before.size() * sizeof(standin::Vertex)) == 0,
                 "an event changed a vertex");
  return 0;
}
