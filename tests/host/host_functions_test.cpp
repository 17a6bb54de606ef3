// The stand-in host as the plug-in sees it: through the functions exported by name
// from the host module, called with the plug-in's own signatures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "host/stand_in_host.h"
#include "tests/host/host_module.h"

namespace {

using standin::Host;

class HostFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override { doc_ = &Host::Instance().Reset(); }
  MQDocument Doc() { return doc_->Handle(); }
  MQObject Obj(int index) { return HOST_FN(MQDoc_GetObject)(Doc(), index); }
  standin::Document* doc_ = nullptr;
};

TEST(HostModule, ExportsAll140NamesAndTheIncompleteOneLacksOnlyTheLast) {
  void* host = hosttest::OpenModule(GRIDWELL_HOSTAPI_PATH);
  void* incomplete = hosttest::OpenModule(GRIDWELL_INCOMPLETE_HOST_PATH);
  ASSERT_NE(host, nullptr);
  ASSERT_NE(incomplete, nullptr);
  for (int i = 0; i < kHostFunctionCount; ++i) {
    const char* name = kHostFunctionNames[i];
    EXPECT_NE(hosttest::FindExport(host, name), nullptr) << name;
    bool last = i == kHostFunctionCount - 1;
    EXPECT_EQ(hosttest::FindExport(incomplete, name) != nullptr, !last) << name;
  }
}

// The plug-in binds all 140 and calls 20 of them: the ones the host function table
// marks as called, each of which the stand-in host implements.
TEST(HostModule, ThePlugInCallsTwentyOfThe140) {
  EXPECT_EQ(kHostFunctionCount, 140);
  EXPECT_EQ(kCalledHostFunctionCount, 20);
  int called = 0;
  for (int i = 0; i < kHostFunctionCount; ++i) called += IsCalledHostFunction(i) ? 1 : 0;
  EXPECT_EQ(called, kCalledHostFunctionCount);
  EXPECT_TRUE(IsCalledHostFunction(HostFunctionIndex("MQObj_SetVertex")));  // the port's
  EXPECT_TRUE(IsCalledHostFunction(HostFunctionIndex("MQ_SendMessage")));   // the plug-in's
  EXPECT_FALSE(IsCalledHostFunction(HostFunctionIndex("MQObj_Delete")));
  EXPECT_FALSE(IsCalledHostFunction(-1));
}

TEST_F(HostFunctionsTest, ObjectSlotsMayBeEmptyAndIndicesOutOfRangeAnswerNull) {
  doc_->AddObject("a");
  doc_->AddEmptySlot();
  doc_->AddObject("c");
  EXPECT_EQ(HOST_FN(MQDoc_GetObjectCount)(Doc()), 3);
  EXPECT_NE(Obj(0), nullptr);
  EXPECT_EQ(Obj(1), nullptr);
  EXPECT_NE(Obj(2), nullptr);
  EXPECT_NE(Obj(0), Obj(2));
  EXPECT_EQ(Obj(-1), nullptr);
  EXPECT_EQ(Obj(3), nullptr);
  EXPECT_EQ(HOST_FN(MQDoc_GetCurrentObjectIndex)(Doc()), -1);
  doc_->currentObject = 2;
  EXPECT_EQ(HOST_FN(MQDoc_GetCurrentObjectIndex)(Doc()), 2);
}

TEST_F(HostFunctionsTest, AnUnknownDocumentOrObjectHandleAnswersNothing) {
  doc_->AddObject("a", {{1, 2, 3}}, {{0}});
  MQDocument stranger = reinterpret_cast<MQDocument>(&doc_);
  EXPECT_EQ(HOST_FN(MQDoc_GetObjectCount)(stranger), 0);
  EXPECT_EQ(HOST_FN(MQDoc_GetObject)(stranger, 0), nullptr);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectVertex)(stranger, 0, 0), 0);
  MQObject bogus = reinterpret_cast<MQObject>(&doc_);
  EXPECT_EQ(HOST_FN(MQObj_GetVertexCount)(bogus), 0);
  EXPECT_EQ(HOST_FN(MQObj_GetFaceCount)(nullptr), 0);
  float p[3] = {7, 7, 7};
  HOST_FN(MQObj_GetVertex)(bogus, 0, p);
  EXPECT_EQ(p[0], 7);
  // A handle of a document that was reset is no longer an object of it.
  MQObject old = Obj(0);
  Host::Instance().Reset();
  EXPECT_EQ(HOST_FN(MQObj_GetVertexCount)(old), 0);
}

// On a 64-bit build every handle the host gives has bits above 4 GiB set, and a handle
// that lost them on the way, cut to 32 bits and widened again as an unsigned or a
// signed int would be, is refused like a stranger's.
TEST_F(HostFunctionsTest, HandlesCutToThirtyTwoBitsAreRefused) {
  doc_->AddObject("a", {{1, 2, 3}}, {{0}});
  const MQObject obj = Obj(0);
  ASSERT_EQ(HOST_FN(MQObj_GetVertexCount)(obj), 1);
  std::vector<const void*> handles = {Doc(), obj, HOST_FN(MQDoc_GetScene)(Doc(), 0)};
  // A test on Windows may run without the host's main window.
  if (Host::Instance().mainWindow != nullptr) handles.push_back(HOST_FN(MQ_GetWindowHandle)());
  for (const void* handle : handles) {
    const uintptr_t bits = reinterpret_cast<uintptr_t>(handle);
    if (sizeof(void*) == 8) {
      EXPECT_NE(bits >> 16 >> 16, 0u) << handle;  // bits above 4 GiB
    } else {
      EXPECT_NE(bits, 0u);
    }
  }
  if (sizeof(void*) < 8) return;  // nothing to cut
  auto cut = [](const void* handle, bool signExtended) {
    const uint32_t low = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
    const uintptr_t widened =
        signExtended ? static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(low)))
                     : static_cast<uintptr_t>(low);
    return reinterpret_cast<void*>(widened);
  };
  for (bool signExtended : {false, true}) {
    const MQDocument doc = static_cast<MQDocument>(cut(Doc(), signExtended));
    EXPECT_EQ(HOST_FN(MQDoc_GetObjectCount)(doc), 0);
    EXPECT_EQ(HOST_FN(MQDoc_GetObject)(doc, 0), nullptr);
    EXPECT_EQ(HOST_FN(MQDoc_GetCurrentObjectIndex)(doc), -1);
    const MQObject object = static_cast<MQObject>(cut(obj, signExtended));
    EXPECT_EQ(HOST_FN(MQObj_GetVertexCount)(object), 0);
    const float p[3] = {4, 5, 6};
    HOST_FN(MQObj_SetVertex)(object, 0, p);
    EXPECT_EQ(doc_->VertexAt(0, 0), (standin::Vertex{1, 2, 3}));
  }
  // The untruncated handles still work.
  EXPECT_EQ(HOST_FN(MQDoc_GetObjectCount)(Doc()), 1);
  EXPECT_EQ(HOST_FN(MQObj_GetVertexCount)(obj), 1);
}

TEST_F(HostFunctionsTest, VerticesReadAndWriteExactBitsAndIgnoreBadIndices) {
  int o = doc_->AddObject("a", {{0.1f, -2.5f, 3e-7f}, {4, 5, 6}});
  MQObject obj = Obj(o);
  EXPECT_EQ(HOST_FN(MQObj_GetVertexCount)(obj), 2);
  float p[3];
  HOST_FN(MQObj_GetVertex)(obj, 0, p);
  EXPECT_EQ(std::memcmp(p, &doc_->ObjectAt(o)->vertices[0], sizeof p), 0);
  const float q[3] = {1.0f / 3, 2, -0.0f};
  HOST_FN(MQObj_SetVertex)(obj, 1, q);
  standin::Vertex v = doc_->VertexAt(o, 1);
  EXPECT_EQ(std::memcmp(&v, q, sizeof q), 0);
  HOST_FN(MQObj_SetVertex)(obj, 2, q);
  HOST_FN(MQObj_SetVertex)(obj, -1, q);
  float untouched[3] = {9, 9, 9};
  HOST_FN(MQObj_GetVertex)(obj, 2, untouched);
  EXPECT_EQ(untouched[0], 9);
  EXPECT_EQ(HOST_FN(MQObj_GetVertexCount)(obj), 2);
}

TEST_F(HostFunctionsTest, FacesOfAnyLengthFillExactlyTheirPoints) {
  int o = doc_->AddObject("a");
  for (int i = 0; i < 8; ++i) doc_->AddVertex(o, float(i), 0, 0);
  const std::vector<std::vector<int>> faces = {{3}, {1, 2}, {0, 1, 2}, {7, 6, 5, 4, 3, 2, 1}};
  for (const auto& f : faces) doc_->AddFace(o, f);
  MQObject obj = Obj(o);
  ASSERT_EQ(HOST_FN(MQObj_GetFaceCount)(obj), 4);
  for (int f = 0; f < 4; ++f) {
    int n = HOST_FN(MQObj_GetFacePointCount)(obj, f);
    ASSERT_EQ(n, static_cast<int>(faces[f].size()));
    std::vector<int> buffer(n + 2, -99);
    HOST_FN(MQObj_GetFacePointArray)(obj, f, buffer.data());
    EXPECT_EQ(std::vector<int>(buffer.begin(), buffer.begin() + n), faces[f]);
    EXPECT_EQ(buffer[n], -99) << "wrote past the face's points";
  }
  EXPECT_EQ(HOST_FN(MQObj_GetFacePointCount)(obj, 4), 0);
  int sentinel = -99;
  HOST_FN(MQObj_GetFacePointArray)(obj, 4, &sentinel);
  EXPECT_EQ(sentinel, -99);
}

TEST_F(HostFunctionsTest, SelectionOfVerticesFacesAndLinesIsPerIndex) {
  int o =
      doc_->AddObject("quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2, 3}, {0, 2}});
  doc_->SelectVertex(o, 2);
  doc_->SelectFace(o, 1);
  doc_->SelectLine(o, 0, 3);  // from point 3 back to point 0
  doc_->SelectLine(o, 0, 4);  // no such line: ignored
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectVertex)(Doc(), o, 2), 1);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectVertex)(Doc(), o, 1), 0);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectVertex)(Doc(), o, 4), 0);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectFace)(Doc(), o, 1), 1);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectFace)(Doc(), o, 0), 0);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectFace)(Doc(), o, 2), 0);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(HOST_FN(MQDoc_IsSelectLine)(Doc(), o, 0, k), k == 3 ? 1 : 0) << k;
  }
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectLine)(Doc(), o, 0, 4), 0);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectLine)(Doc(), o, 5, 0), 0);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectLine)(Doc(), 9, 0, 0), 0);
  doc_->ClearSelection();
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectVertex)(Doc(), o, 2), 0);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectFace)(Doc(), o, 1), 0);
  EXPECT_EQ(HOST_FN(MQDoc_IsSelectLine)(Doc(), o, 0, 3), 0);
}

TEST_F(HostFunctionsTest, GlobalMatrixComesWithItsInverse) {
  // Rotation of 90 degrees about Z, scale 2, then a translation.
  standin::Matrix m = {0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 2, 0, 5, -3, 1, 1};
  int o = doc_->AddObject("a");
  doc_->SetGlobalMatrix(o, m);
  float got[16], inverse[16];
  HOST_FN(MQDoc_GetGlobalMatrix)(Doc(), Obj(o), got);
  HOST_FN(MQDoc_GetGlobalInverseMatrix)(Doc(), Obj(o), inverse);
  EXPECT_EQ(std::memcmp(got, m.data(), sizeof got), 0);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += double(got[r * 4 + k]) * inverse[k * 4 + c];
      EXPECT_NEAR(sum, r == c ? 1.0 : 0.0, 1e-6) << r << "," << c;
    }
  }
  EXPECT_FLOAT_EQ(inverse[12], 1.5f);  // the translation undone: -(5,-3,1) rotated back, halved
  // A fresh object has the identity both ways.
  int plain = doc_->AddObject("b");
  HOST_FN(MQDoc_GetGlobalInverseMatrix)(Doc(), Obj(plain), inverse);
  EXPECT_EQ(std::memcmp(inverse, standin::kIdentity.data(), sizeof inverse), 0);
}

TEST_F(HostFunctionsTest, FloatArraysHoldTheirLengthsAndUnknownIdsDoNothing) {
  int o = doc_->AddObject("a");
  MQObject obj = Obj(o);
  float frame[17];
  for (int i = 0; i < 17; ++i) frame[i] = float(i + 1);
  Host::Instance().insideStationCallback = true;  // as the plug-in writes them
  HOST_FN(MQObj_SetFloatArray)(obj, kLocalFrameArray, frame);
  HOST_FN(MQObj_SetFloatArray)(obj, kLocalAnglesArray, frame + 4);
  HOST_FN(MQObj_SetFloatArray)(obj, 773, frame);
  Host::Instance().insideStationCallback = false;
  float out[17];
  std::fill(out, out + 17, -1.0f);
  HOST_FN(MQObj_GetFloatArray)(obj, kLocalFrameArray, out);
  EXPECT_EQ(std::memcmp(out, frame, 16 * sizeof(float)), 0);
  EXPECT_EQ(out[16], -1.0f);
  std::fill(out, out + 17, -1.0f);
  HOST_FN(MQObj_GetFloatArray)(obj, kLocalAnglesArray, out);
  EXPECT_EQ(out[0], 5.0f);
  EXPECT_EQ(out[2], 7.0f);
  EXPECT_EQ(out[3], -1.0f);
  std::fill(out, out + 17, -1.0f);
  HOST_FN(MQObj_GetFloatArray)(obj, kLocalOriginArray, out);
  EXPECT_EQ(out[0], 0.0f);
  HOST_FN(MQObj_GetFloatArray)(obj, 773, out + 5);
  EXPECT_EQ(out[5], -1.0f);
  EXPECT_EQ(Host::Instance().editsOutsideCallback, 0);
}

// The station callback procedure records what it was handed.
struct CallbackLog {
  int calls = 0;
  MQDocument doc = nullptr;
  void* option = nullptr;
  bool inside = false;
  int editsOutsideAfter = 0;
};
CallbackLog g_log;

int RecordingProc(MQDocument doc, void* option) {
  ++g_log.calls;
  g_log.doc = doc;
  g_log.option = option;
  g_log.inside = Host::Instance().insideStationCallback;
  MQObject obj = HOST_FN(MQDoc_GetObject)(doc, 0);
  const float p[3] = {1, 2, 3};
  HOST_FN(MQObj_SetVertex)(obj, 0, p);
  HOST_FN(MQObj_SetFloatArray)(obj, kLocalOriginArray, p);
  return 7;
}

TEST_F(HostFunctionsTest, StationCallbackCallsTheProcedureOnceWithTheDocument) {
  doc_->AddObject("a", {{0, 0, 0}});
  g_log = {};
  int option = 0;
  EXPECT_EQ(HOST_FN(MQ_StationCallback)(RecordingProc, &option), 7);
  EXPECT_EQ(g_log.calls, 1);
  EXPECT_EQ(g_log.doc, Doc());
  EXPECT_EQ(g_log.option, &option);
  EXPECT_TRUE(g_log.inside);
  EXPECT_FALSE(Host::Instance().insideStationCallback);
  EXPECT_EQ(Host::Instance().stationCallbacks, 1);
  EXPECT_EQ(Host::Instance().editsOutsideCallback, 0);
  EXPECT_EQ(doc_->VertexAt(0, 0), (standin::Vertex{1, 2, 3}));
}

TEST_F(HostFunctionsTest, ARefusedStationCallbackAnswersZeroWithoutCalling) {
  doc_->AddObject("a", {{0, 0, 0}});
  g_log = {};
  Host::Instance().refuseStationCallbacks = true;
  EXPECT_EQ(HOST_FN(MQ_StationCallback)(RecordingProc, nullptr), 0);
  EXPECT_EQ(g_log.calls, 0);
  EXPECT_EQ(Host::Instance().stationCallbacks, 1);
  EXPECT_EQ(HOST_FN(MQ_StationCallback)(nullptr, nullptr), 0);
}

TEST_F(HostFunctionsTest, EditsOutsideAStationCallbackAreCountedAsFaults) {
  doc_->AddObject("a", {{0, 0, 0}});
  const float p[3] = {1, 1, 1};
  HOST_FN(MQObj_SetVertex)(Obj(0), 0, p);
  HOST_FN(MQObj_SetFloatArray)(Obj(0), kLocalFrameArray, standin::kIdentity.data());
  HOST_FN(MQObj_SetVertex)(Obj(0), 5, p);  // even a write that lands nowhere
  EXPECT_EQ(Host::Instance().editsOutsideCallback, 3);
  // Reads are no edits.
  float q[3];
  HOST_FN(MQObj_GetVertex)(Obj(0), 0, q);
  EXPECT_EQ(Host::Instance().editsOutsideCallback, 3);
}

TEST_F(HostFunctionsTest, SentMessagesAreCopiedWithTheIntTheirOptionPointsAt) {
  int32_t zero = 0;
  HostMessageRecord record = {0x65206520u, 0x65200307u, 0, &zero};
  EXPECT_NE(HOST_FN(MQ_SendMessage)(100, &record), 0);
  record.product = 1;  // the sender's frame changes afterwards
  HOST_FN(MQ_SendMessage)(5, nullptr);
  const auto& sent = Host::Instance().sentMessages;
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].message, 100);
  EXPECT_EQ(sent[0].record.product, 0x65206520u);
  EXPECT_EQ(sent[0].record.id, 0x65200307u);
  EXPECT_EQ(sent[0].record.index, 0);
  EXPECT_EQ(sent[0].option, 0);
  EXPECT_FALSE(sent[1].hadData);
  EXPECT_EQ(sent[1].option, -1);
}

// The host reads a record by its offsets on the platform, whatever lies in the
// padding: 16 bytes with the option at 12 on 32-bit Windows, 24 bytes with the option
// at 16 on 64-bit Windows (and natively on x86-64).
TEST_F(HostFunctionsTest, MessageRecordsAreReadAtThePlatformsOffsets) {
  int32_t zero = 0;
  int32_t* option = &zero;
  const size_t optionAt = sizeof(void*) == 8 ? 16 : 12;
  unsigned char bytes[24];
  std::memset(bytes, 0xCC, sizeof bytes);  // padding that is not zero
  const uint32_t words[3] = {0x65206520u, 0x65200307u, 0};
  std::memcpy(bytes, words, sizeof words);
  std::memcpy(bytes + optionAt, &option, sizeof option);
  HOST_FN(MQ_SendMessage)(100, bytes);
  const auto& sent = Host::Instance().sentMessages;
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].record.product, 0x65206520u);
  EXPECT_EQ(sent[0].record.id, 0x65200307u);
  EXPECT_EQ(sent[0].record.index, 0);
  EXPECT_EQ(sent[0].record.option, &zero);
  EXPECT_EQ(sent[0].option, 0);
  EXPECT_EQ(optionAt + sizeof option, sizeof(HostMessageRecord));
}

TEST_F(HostFunctionsTest, CallsAreCountedPerFunctionAndResetClearsThem) {
  doc_->AddObject("a");
  HOST_FN(MQDoc_GetObjectCount)(Doc());
  HOST_FN(MQDoc_GetObjectCount)(Doc());
  EXPECT_EQ(HOST_FN(MQ_GetWindowHandle)(), Host::Instance().WindowHandle());
#ifndef _WIN32
  EXPECT_NE(Host::Instance().mainWindow, nullptr);  // a fake, but never null
#endif
  EXPECT_NE(HOST_FN(MQDoc_GetScene)(Doc(), 0), nullptr);
  EXPECT_EQ(HOST_FN(MQDoc_GetScene)(Doc(), 1), nullptr);
  using Inert = void* (*)();
  EXPECT_EQ(hosttest::Export<Inert>("MQXmlElem_Value")(), nullptr);
  Host& host = Host::Instance();
  EXPECT_EQ(host.CallsTo("MQDoc_GetObjectCount"), 2);
  EXPECT_EQ(host.CallsTo("MQDoc_GetScene"), 2);
  EXPECT_EQ(host.CallsTo("MQ_GetWindowHandle"), 1);
  EXPECT_EQ(host.CallsTo("MQXmlElem_Value"), 1);
  EXPECT_EQ(host.CallsTo("MQObj_GetVertex"), 0);
  EXPECT_EQ(host.CallsTo("NoSuchFunction"), -1);
  host.Reset();
  EXPECT_EQ(host.CallsTo("MQDoc_GetObjectCount"), 0);
  EXPECT_EQ(host.document().ObjectCount(), 0);
}

TEST(HostModulePath, NamesTheModuleThatHoldsThisHost) {
  void* byPath = hosttest::OpenModule(standin::HostModulePath());
  void* linked = hosttest::OpenModule(GRIDWELL_HOSTAPI_PATH);
  ASSERT_NE(byPath, nullptr);
  EXPECT_EQ(hosttest::FindExport(byPath, "MQ_StationCallback"),
            hosttest::FindExport(linked, "MQ_StationCallback"));
}

}  // namespace
