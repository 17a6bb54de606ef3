// Fixtures of the geometry tests on the stand-in host.
//
//   GeometryTest  the geometry alone: an empty document reached through the host's own
//                 exports as the geometry's document port, and a snapshot buffer of
//                 the size a station starts with. No plug-in, no panel.
//   StationTest   a started station: the plug-in bound to the host module, the panel
//                 created, an empty document. Operations run through
//                 RunStationOperation, as the panel runs them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include "geometry/document_port.h"
#include "geometry/selection_snapshot.h"
#include "host/host_exports.h"
#include "host/stand_in_host.h"
#include "panel/control_ids.h"
#include "panel/value_fields.h"
#include "plugin/entry_points.h"
#include "plugin/event_dispatch.h"
#include "plugin/gridshift_plugin.h"
#include "tests/support/probed_panel.h"

namespace standin {
// Failures show the coordinates rather than the bytes.
inline void PrintTo(const Vertex& v, std::ostream* out) {
  *out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}
}  // namespace standin

inline uint32_t Bits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Distance in units in the last place between two finite floats of the same sign.
inline int64_t UlpDistance(float a, float b) {
  return static_cast<int64_t>(Bits(a)) - static_cast<int64_t>(Bits(b));
}

// Values that sin, cos, atan2 or asin feed may differ by one unit in the last place
// between the C libraries of the two builds; nothing else may.
#define EXPECT_WITHIN_ONE_ULP(actual, expected) \
  EXPECT_LE(std::llabs(UlpDistance((actual), (expected))), 1) << (actual) << " vs " << (expected)

class GeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_ = &standin::Host::Instance().Reset();
    ASSERT_TRUE(snapshot_.AllocateSelection(kInitialSelectionCapacity));
  }

  HostDocument Doc() const { return HostDocument(port_, doc_->Handle()); }
  void Snapshot() { snapshot_.TakeSelectionSnapshot(Doc()); }
  standin::Vertex At(int object, int vertex) { return doc_->VertexAt(object, vertex); }

  const DocumentPort port_ = standin::HostDocumentPort();
  SelectionSnapshot snapshot_;
  standin::Document* doc_ = nullptr;
};

class StationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_ = &standin::Host::Instance().Reset();
    ASSERT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
    ASSERT_EQ(MQOnEvent(doc_->Handle(), event::kStart, nullptr), 1);
    panel_ = ProbedPanel::Current();
    ASSERT_NE(panel_, nullptr);
  }
  void TearDown() override { MQOnEvent(doc_->Handle(), event::kStop, nullptr); }

  void Run(StationOperation operation) { g_plugin.RunStationOperation(operation); }

  std::string Text(int id) {
    char text[256];
    panel_->GetText(id, text, sizeof text);
    return text;
  }
  void SetTexts(const int (&ids)[3], const char* x, const char* y, const char* z) {
    panel_->SetText(ids[0], x);
    panel_->SetText(ids[1], y);
    panel_->SetText(ids[2], z);
  }
  // The three texts of a triple of fields, joined by spaces.
  std::string Texts(const int (&ids)[3]) {
    return Text(ids[0]) + " " + Text(ids[1]) + " " + Text(ids[2]);
  }

  // An object whose vertices are all selected.
  int SelectedObject(std::initializer_list<standin::Vertex> vertices) {
    const int object = doc_->AddObject("o", vertices);
    doc_->SelectAllVertices(object);
    return object;
  }
  standin::Vertex At(int object, int vertex) { return doc_->VertexAt(object, vertex); }

  // The panel's triples of value fields, X, Y and Z rows.
  static constexpr const int (&kMove)[3] = fields::kMove;
  static constexpr const int (&kRotation)[3] = fields::kRotation;
  static constexpr const int (&kCentre)[3] = fields::kCentre;
  static constexpr const int (&kMax)[3] = fields::kMax;
  static constexpr const int (&kMin)[3] = fields::kMin;
  static constexpr const int (&kStored)[3] = fields::kStored;

  standin::Document* doc_ = nullptr;
  ProbedPanel* panel_ = nullptr;
};
