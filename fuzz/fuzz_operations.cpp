// The selection snapshot and every panel operation over arbitrary documents: faces of
// any length with any point indices, NaN and infinite coordinates, degenerate and
// arbitrary matrices, any field texts and modes. After each operation:
//   - only vertices the host reports as selected (directly, as a corner of a selected
//     face or as an end of a selected line) may have changed;
//   - no finite coordinate became non-finite;
//   - operations that move nothing changed no vertex bit;
//   - float arrays changed only through the local-frame operations, on the current
//     object;
//   - only the host functions the plug-in uses were called, and edits happened inside station
//     callbacks only.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/station_harness.h"
#include "panel/control_ids.h"

namespace {

struct Operation {
  StationOperation run;
  bool movesVertices;   // may change selected vertices
  bool writesFrame;     // may change the current object's float arrays
};

const Operation kOperations[] = {
    {&GridshiftPlugin::UpdateReadouts, false, false},
    {&GridshiftPlugin::UpdateReadoutsResetMove, false, false},
    {&GridshiftPlugin::MoveSelection, true, false},
    {&GridshiftPlugin::RotateSelection, true, false},
    {&GridshiftPlugin::CopyToStoredPoint, false, false},
    {&GridshiftPlugin::PasteStoredX, false, false},
    {&GridshiftPlugin::PasteStoredYZ, false, false},
    {&GridshiftPlugin::PasteStoredXYZ, false, false},
    {&GridshiftPlugin::AlignCentreX, true, false},
    {&GridshiftPlugin::AlignCentreY, true, false},
    {&GridshiftPlugin::AlignMaxZ, true, false},
    {&GridshiftPlugin::AlignMinX, true, false},
    {&GridshiftPlugin::AlignStoredY, true, false},
    {&GridshiftPlugin::SetLocalFrameFromSelection, false, true},
    {&GridshiftPlugin::StoreLocalFrame1, false, false},
    {&GridshiftPlugin::StoreLocalFrame2, false, false},
    {&GridshiftPlugin::LoadLocalFrame1, false, true},
    {&GridshiftPlugin::LoadLocalFrame2, false, true},
    {&GridshiftPlugin::ClearMoveFields, false, false},
    {&GridshiftPlugin::ClearRotationFields, false, false},
    {&GridshiftPlugin::FetchScene, false, false},
};

const char* const kFieldTexts[] = {"0",   "1",    "-2.5", "1e30", "-1e38", "3.4e38", "inf",
                                   "nan", "-inf", "360",  "90",   "1e-40", "abc",    ""};

float AnyCoordinate(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return std::numeric_limits<float>::quiet_NaN();
    case 1: return std::numeric_limits<float>::infinity();
    case 2: return -std::numeric_limits<float>::infinity();
    case 3: return std::numeric_limits<float>::max();
    case 4: return -0.0f;
    case 5: return in.ConsumeFloatingPoint<float>();
    default: return static_cast<float>(in.ConsumeIntegralInRange(-8, 8));
  }
}

standin::Matrix AnyMatrix(FuzzedDataProvider& in) {
  standin::Matrix m = {};
  for (float& element : m) element = in.ConsumeBool() ? AnyCoordinate(in) : 0.0f;
  return m;
}

void BuildDocument(FuzzedDataProvider& in, standin::Document& doc) {
  const int objects = in.ConsumeIntegralInRange(0, 4);
  for (int o = 0; o < objects; ++o) {
    if (in.ConsumeIntegralInRange(0, 7) == 0) {
      doc.AddEmptySlot();
      continue;
    }
    const int object = doc.AddObject("o");
    const int vertices = in.ConsumeIntegralInRange(0, 24);
    for (int v = 0; v < vertices; ++v) {
      doc.AddVertex(object, AnyCoordinate(in), AnyCoordinate(in), AnyCoordinate(in));
      if (in.ConsumeIntegralInRange(0, 3) == 0) doc.SelectVertex(object, v);
    }
    const int faces = in.ConsumeIntegralInRange(0, 8);
    for (int f = 0; f < faces; ++f) {
      // Mostly small faces; now and then one longer than the inline index buffer.
      const int n = in.ConsumeIntegralInRange(0, 9) == 0 ? in.ConsumeIntegralInRange(0, 80)
                                                         : in.ConsumeIntegralInRange(0, 5);
      std::vector<int> points(n);
      for (int& p : points) {
        p = in.ConsumeIntegralInRange(0, 9) == 0 ? in.ConsumeIntegral<int>()
                                                 : in.ConsumeIntegralInRange(-1, vertices);
      }
      doc.AddFace(object, points);
      if (in.ConsumeIntegralInRange(0, 3) == 0) doc.SelectFace(object, f);
      for (int k = 0; k < n; ++k) {
        if (in.ConsumeIntegralInRange(0, 3) == 0) doc.SelectLine(object, f, k);
      }
    }
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0: break;  // identity
      case 1: doc.SetGlobalMatrix(object, standin::Translation(AnyCoordinate(in), 1, 2)); break;
      case 2: doc.SetGlobalMatrix(object, AnyMatrix(in)); break;  // often singular
      case 3: doc.SetGlobalMatrices(object, AnyMatrix(in), AnyMatrix(in)); break;
    }
    float frame[16];
    for (float& f : frame) f = AnyCoordinate(in);
    doc.SetFloatArray(object, kLocalFrameArray, frame);
  }
  doc.currentObject = in.ConsumeIntegralInRange(-2, objects);
}

void SetUpPanel(FuzzedDataProvider& in, HeadlessPanel& panel) {
  panel.Click(in.ConsumeBool() ? ctl::kGlobal : ctl::kLocal);
  panel.Click(in.ConsumeBool() ? ctl::kRelative : ctl::kAbsolute);
  const int fields[] = {ctl::kMoveX,   ctl::kMoveY,   ctl::kMoveZ,   ctl::kRotateX,
                        ctl::kRotateY, ctl::kRotateZ, ctl::kCentreX, ctl::kMaxZ};
  for (int id : fields) {
    const std::string text = in.ConsumeBool() ? std::string(in.PickValueInArray(kFieldTexts))
                                              : in.ConsumeRandomLengthString(12);
    panel.SetText(id, text.c_str());
  }
}

// Which vertices of object o the host reports as selected, worked out from the
// document model independently of the plug-in.
std::vector<bool> SelectedVertices(const standin::Object& object) {
  const int count = static_cast<int>(object.vertices.size());
  std::vector<bool> selected(object.vertexSelected.begin(), object.vertexSelected.end());
  auto mark = [&](int v) {
    if (v >= 0 && v < count) selected[v] = true;
  };
  for (const standin::Face& face : object.faces) {
    const int n = static_cast<int>(face.points.size());
    if (n >= 3 && face.selected) {
      for (int p : face.points) mark(p);
      continue;
    }
    const int lines = n >= 3 ? n : (n == 2 ? 1 : 0);
    for (int k = 0; k < lines; ++k) {
      if (!face.lineSelected[k]) continue;
      mark(face.points[k]);
      mark(face.points[(k + 1) % n]);
    }
  }
  return selected;
}

struct ObjectState {
  std::vector<standin::Vertex> vertices;
  std::array<float, 3> angles, origin;
  std::array<float, 16> frame;
};

std::vector<ObjectState> Capture(const standin::Document& doc) {
  std::vector<ObjectState> states(doc.ObjectCount());
  for (int o = 0; o < doc.ObjectCount(); ++o) {
    if (const standin::Object* object = doc.ObjectAt(o)) {
      states[o] = {object->vertices, object->localAngles, object->localOrigin, object->localFrame};
    }
  }
  return states;
}

bool SameBits(const void* a, const void* b, size_t size) { return std::memcmp(a, b, size) == 0; }

bool IsFinite(const standin::Vertex& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void CheckOperation(const standin::Document& doc, const std::vector<ObjectState>& before,
                    const Operation& operation) {
  const std::vector<ObjectState> after = Capture(doc);
  fuzzing::Check(after.size() == before.size(), "object count changed");
  for (int o = 0; o < doc.ObjectCount(); ++o) {
    const standin::Object* object = doc.ObjectAt(o);
    if (object == nullptr) continue;
    const ObjectState& was = before[o];
    const ObjectState& is = after[o];
    fuzzing::Check(was.vertices.size() == is.vertices.size(), "vertex count changed");
    const std::vector<bool> selected = SelectedVertices(*object);
    for (size_t v = 0; v < is.vertices.size(); ++v) {
      const bool same = SameBits(&was.vertices[v], &is.vertices[v], sizeof(standin::Vertex));
      if (same) continue;
      fuzzing::Check(operation.movesVertices, "an operation that moves nothing changed a vertex");
      fuzzing::Check(selected[v], "an unselected vertex changed");
      fuzzing::Check(!IsFinite(was.vertices[v]) || IsFinite(is.vertices[v]),
                     "a finite vertex became non-finite");
    }
    const bool frameMayChange = operation.writesFrame && o == doc.currentObject;
    const bool frameSame = SameBits(&was.angles, &is.angles, sizeof was.angles) &&
                           SameBits(&was.origin, &is.origin, sizeof was.origin) &&
                           SameBits(&was.frame, &is.frame, sizeof was.frame);
    fuzzing::Check(frameSame || frameMayChange, "a float array changed unexpectedly");
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
  BuildDocument(in, doc);
  HeadlessPanel* panel = fuzzing::EnsureStation();
  SetUpPanel(in, *panel);

  const int steps = in.ConsumeIntegralInRange(1, 6);
  for (int s = 0; s < steps; ++s) {
    const Operation& operation = in.PickValueInArray(kOperations);
    const std::vector<ObjectState> before = Capture(doc);
    g_plugin.RunStationOperation(operation.run);
    CheckOperation(doc, before, operation);
    // A document event in between, as the host sends while the user works.
    if (in.ConsumeBool()) {
      const std::vector<ObjectState> still = Capture(doc);
      MQOnEvent(doc.Handle(), in.ConsumeBool() ? 210 : 220, nullptr);
      CheckOperation(doc, still, kOperations[0]);
    }
    fuzzing::CheckHostRules();
    // The snapshot lists every vertex of every object and nothing else.
    int64_t vertices = 0;
    for (int o = 0; o < doc.ObjectCount(); ++o) {
      if (const standin::Object* object = doc.ObjectAt(o)) vertices += object->vertices.size();
    }
    const bool tookSnapshot = operation.movesVertices ||
                              operation.run == &GridshiftPlugin::UpdateReadouts ||
                              operation.run == &GridshiftPlugin::UpdateReadoutsResetMove;
    fuzzing::Check(!tookSnapshot || g_plugin.Selection().m_selectionCount == vertices,
                   "snapshot does not list every vertex");
  }
  return 0;
}
