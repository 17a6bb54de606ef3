// Every result of a fixed sequence of operations on a fixed document of 101000
// vertices, bit for bit: after each step a running digest takes in the bits of every
// vertex coordinate, every value field's text and the current object's frame arrays,
// and is compared with the digest recorded for that step. Any change to the order of
// the arithmetic or to a rounding step changes a digest; the step named in the failure
// is the first whose results differ.
//
// The trig-free sequence (moves, aligns, copy and paste, both frames, both value modes)
// runs on every build, since float and double arithmetic without library functions
// gives the same bits everywhere (SSE2, no contraction). The sequence with rotations
// and the local-frame tool runs natively only: its sines, cosines, atan2 and asin come
// from the C library, and the Windows runtime's may differ from glibc's by one unit in
// the last place.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "tests/geometry/station_fixture.h"

namespace {

// FNV-1a, 64 bits: simple, byte-order independent as used here, and good enough to
// tell any changed bit.
class Digest {
 public:
  void Add(const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
      value_ ^= bytes[i];
      value_ *= 0x100000001b3ull;
    }
  }
  uint64_t value() const { return value_; }

 private:
  uint64_t value_ = 0xcbf29ce484222325ull;
};

// A deterministic stream of coordinates: multiples of 1/64 in [-512, 512), so that the
// document itself is exact on every build and only the operations round.
class Coordinates {
 public:
  float Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>((state_ >> 8) & 0xFFFF) / 64.0f - 512.0f;
  }

 private:
  uint32_t state_ = 12345u;
};

constexpr int kAllFields[] = {
    ctl::kMoveX,   ctl::kMoveY,   ctl::kMoveZ,   ctl::kRotateX,     ctl::kRotateY,
    ctl::kRotateZ, ctl::kCentreX, ctl::kCentreY, ctl::kCentreZ,     ctl::kMaxX,
    ctl::kMaxY,    ctl::kMaxZ,    ctl::kMinX,    ctl::kMinY,        ctl::kMinZ,
    ctl::kStoredX, ctl::kStoredY, ctl::kStoredZ, ctl::kTotalLength,
};

struct Step {
  const char* name;
  uint64_t digest;  // of everything after this step, chained from the steps before
};

class ResultDigestTest : public StationTest {
 protected:
  // Three objects: a grid of quads with every third face selected, a grid with one
  // line selected in every other face (the current object, framed by a turn, a scale
  // and a move), and a cloud with every other vertex selected. 101000 vertices.
  void BuildDocument() {
    Coordinates next;
    const int side = 200;
    for (int o = 0; o < 2; ++o) {
      const int object = doc_->AddObject("grid");
      doc_->ObjectAt(object)->vertices.reserve(side * side);
      for (int i = 0; i < side * side; ++i) {
        const float x = next.Next(), y = next.Next(), z = next.Next();
        doc_->AddVertex(object, x, y, z);
      }
      for (int r = 0; r + 1 < side; ++r) {
        for (int c = 0; c + 1 < side; ++c) {
          const int v = r * side + c;
          doc_->AddFace(object, {v, v + 1, v + side + 1, v + side});
        }
      }
      const int faces = static_cast<int>(doc_->ObjectAt(object)->faces.size());
      if (o == 0) {
        for (int f = 0; f < faces; f += 3) doc_->SelectFace(object, f);
      } else {
        for (int f = 0; f < faces; f += 2) doc_->SelectLine(object, f, f % 4);
      }
    }
    const int cloud = doc_->AddObject("cloud");
    for (int i = 0; i < 21000; ++i) {
      const float x = next.Next(), y = next.Next(), z = next.Next();
      doc_->AddVertex(cloud, x, y, z);
      if (i % 2 == 0) doc_->SelectVertex(cloud, i);
    }
    // Rows of a turn by about 30 degrees about Z, scaled by 1.5 along X, then moved;
    // exact float literals, so that the frame does not depend on a library's cos.
    doc_->SetGlobalMatrix(1, {1.2990381f, 0.75f, 0, 0, -0.5f, 0.8660254f, 0, 0, 0, 0, 1, 0, 3.25f,
                              -7.5f, 12.125f, 1});
    doc_->currentObject = 1;
  }

  uint64_t StateDigest() {
    for (int o = 0; o < doc_->ObjectCount(); ++o) {
      const standin::Object* object = doc_->ObjectAt(o);
      if (object == nullptr) continue;
      digest_.Add(object->vertices.data(), object->vertices.size() * sizeof(standin::Vertex));
    }
    for (int id : kAllFields) {
      const std::string text = Text(id);
      digest_.Add(text.c_str(), text.size() + 1);
    }
    const standin::Object* current = doc_->ObjectAt(doc_->currentObject);
    digest_.Add(current->localAngles.data(), sizeof current->localAngles);
    digest_.Add(current->localOrigin.data(), sizeof current->localOrigin);
    digest_.Add(current->localFrame.data(), sizeof current->localFrame);
    return digest_.value();
  }

  // Clicks, as a person at the panel does; then the state must give the step's digest.
  void Click(int id) { panel_->Click(id); }
  void Check(const Step& step) {
    const uint64_t actual = StateDigest();
    EXPECT_EQ(actual, step.digest) << "first differing step: " << step.name;
    if (actual != step.digest && recording_) {
      std::printf("    {\"%s\", 0x%016llxull},\n", step.name,
                  static_cast<unsigned long long>(actual));
    }
  }

  // Set GRIDWELL_RECORD_DIGESTS to print the digests this code gives, for a deliberate
  // change of results.
  bool recording_ = std::getenv("GRIDWELL_RECORD_DIGESTS") != nullptr;
  Digest digest_;
};

TEST_F(ResultDigestTest, MovesAlignsAndPastesInBothFramesKeepEveryBit) {
  BuildDocument();
  static constexpr Step kSteps[] = {
      {"refresh, global", 0xe77349c2341e6310ull},
      {"move relative, global", 0x365e237f97d9a5bfull},
      {"absolute mode", 0x0a370a8b35d493daull},
      {"move absolute, global", 0x0eb4e0139e70bb77ull},
      {"align max Y, global", 0xcdbe1ec4dcbb04d7ull},
      {"copy, paste XZ, align stored Y, global", 0x748e5687096caa39ull},
      {"local frame", 0x967d315c29c23debull},
      {"move absolute, local", 0xb3367db079b02432ull},
      {"relative mode", 0x315207c21c52fc1full},
      {"move relative, local", 0x8ae29c9b80ffd227ull},
      {"align centre X, min X, stored X, local", 0x1f86f747c5770910ull},
      {"paste XYZ, clear move fields", 0x7e153b94c1eae52aull},
  };
  int s = 0;
  Click(ctl::kGlobal);
  Check(kSteps[s++]);

  SetTexts(kMove, "0.125", "-3.3", "7.77");
  Click(ctl::kMove);
  Check(kSteps[s++]);

  Click(ctl::kAbsolute);
  Check(kSteps[s++]);

  SetTexts(kMove, "10.5", "-20.25", "3.1");
  Click(ctl::kMove);
  Check(kSteps[s++]);

  // Each align flattens the selection along its axis: one axis per frame, so that the
  // steps after it still work on a spread of positions.
  Click(ctl::kAlignMaxY);
  Check(kSteps[s++]);

  SetTexts(kMove, "1.0001", "-2.71828", "31.4159");
  Click(ctl::kCopy);
  Click(ctl::kPasteXZ);
  Click(ctl::kAlignStoredY);
  Check(kSteps[s++]);

  Click(ctl::kLocal);
  Check(kSteps[s++]);

  SetTexts(kMove, "-4.4", "5.55", "0.3");
  Click(ctl::kMove);
  Check(kSteps[s++]);

  Click(ctl::kRelative);
  Check(kSteps[s++]);

  SetTexts(kMove, "1.5", "2.2", "-0.75");
  Click(ctl::kMove);
  Check(kSteps[s++]);

  Click(ctl::kAlignCentreX);
  Click(ctl::kAlignMinX);
  Click(ctl::kAlignStoredX);
  Check(kSteps[s++]);

  Click(ctl::kAbsolute);
  Click(ctl::kPasteXYZ);
  Click(ctl::kClearMove);
  Check(kSteps[s++]);
  ASSERT_EQ(s, static_cast<int>(std::size(kSteps)));
}

#ifndef _WIN32
TEST_F(ResultDigestTest, RotationsAndTheLocalFrameToolKeepEveryBit) {
  BuildDocument();
  static constexpr Step kSteps[] = {
      {"rotate, global", 0xdd63195c976cf62bull},
      {"rotate past a whole turn and back, global", 0xaaed0db3add9c153ull},
      {"rotate, local", 0xf756c753d4d4471aull},
      {"move relative after rotations, local", 0x17f610e4e0acd1a6ull},
      {"local frame from the selection", 0xeac7253bca1f6cbdull},
  };
  int s = 0;
  SetTexts(kRotation, "10", "20", "30");
  Click(ctl::kRotate);
  Check(kSteps[s++]);

  SetTexts(kRotation, "400", "-45.5", "0");
  Click(ctl::kRotate);
  Check(kSteps[s++]);

  Click(ctl::kLocal);
  SetTexts(kRotation, "-120", "0", "33.3");
  Click(ctl::kRotate);
  Check(kSteps[s++]);

  SetTexts(kMove, "0.01", "-0.02", "0.03");
  Click(ctl::kMove);
  Check(kSteps[s++]);

  Click(ctl::kSetLocalFrame);
  Check(kSteps[s++]);
  ASSERT_EQ(s, static_cast<int>(std::size(kSteps)));
}
#endif

}  // namespace
