// OBJ models in the stand-in host: what goes in comes out, moved positions are
// written back and nothing else changes, and a bad file loads nothing and says where.
#include "host/obj_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

using standin::Document;
using standin::Host;
using standin::ObjSource;
using standin::Vertex;

// Everything a reader must keep: CRLF and LF endings, comments, texture and normal
// lines, materials, a w and vertex colours, an inline comment, negative references,
// a polyline, a 'g' object and a last line without an ending.
const char kQuirkyModel[] =
    "# a model\r\n"
    "mtllib box.mtl\r\n"
    "o Box\n"
    "v 0 0 0\n"
    "v 1.0 0 0   # one\n"
    "v 1 1 0 1.0\n"
    "v 0 1 0 0.5 0.25 1\n"
    "vt 0 0\n"
    "vn 0 0 1\n"
    "usemtl red\n"
    "s off\n"
    "f 1/1/1 2/1/1 3//1 -1\n"
    "\n"
    "g Wire\n"
    "v 3 0 0\n"
    "v 3 0 2\n"
    "v +3 1e0 2\n"
    "l 5 6 -1";

class ObjFileTest : public ::testing::Test {
 protected:
  Document& doc_ = Host::Instance().Reset();
  ObjSource source_;
  std::string error_;

  bool Read(const std::string& text) {
    return standin::ReadObj(text, "m.obj", doc_, &source_, &error_);
  }
  std::string Written() {
    std::string text;
    EXPECT_TRUE(standin::WriteObj(doc_, &source_, &text, &error_)) << error_;
    return text;
  }
};

TEST_F(ObjFileTest, ReadsObjectsVerticesFacesAndPolylines) {
  ASSERT_TRUE(Read(kQuirkyModel)) << error_;
  ASSERT_EQ(doc_.ObjectCount(), 2);
  const auto* box = doc_.ObjectAt(0);
  const auto* wire = doc_.ObjectAt(1);
  EXPECT_EQ(box->name, "Box");
  EXPECT_EQ(wire->name, "Wire");
  EXPECT_EQ(box->vertices.size(), 4u);
  EXPECT_EQ(box->vertices[3], (Vertex{0, 1, 0}));
  ASSERT_EQ(box->faces.size(), 1u);
  EXPECT_EQ(box->faces[0].points, (std::vector<int>{0, 1, 2, 3}));  // not triangulated
  ASSERT_EQ(wire->faces.size(), 2u);
  EXPECT_EQ(wire->faces[0].points, (std::vector<int>{0, 1}));
  EXPECT_EQ(wire->faces[1].points, (std::vector<int>{1, 2}));  // -1 was the last vertex
  EXPECT_EQ(wire->vertices[2], (Vertex{3, 1, 2}));
  EXPECT_EQ(doc_.currentObject, 0);
}

TEST_F(ObjFileTest, WritesBackExactlyWhatWasRead) {
  ASSERT_TRUE(Read(kQuirkyModel)) << error_;
  EXPECT_EQ(Written(), kQuirkyModel);
}

TEST_F(ObjFileTest, RewritesOnlyTheCoordinatesOfMovedVertices) {
  ASSERT_TRUE(Read(kQuirkyModel)) << error_;
  doc_.ObjectAt(0)->vertices[1] = {0.1f, -2, 3.5f};
  doc_.ObjectAt(0)->vertices[3] = {0, 1, 7};
  std::string expected = kQuirkyModel;
  auto replace = [&](const std::string& from, const std::string& to) {
    expected.replace(expected.find(from), from.size(), to);
  };
  replace("v 1.0 0 0   # one", "v 0.1 -2 3.5   # one");  // the comment stays
  replace("v 0 1 0 0.5 0.25 1", "v 0 1 7 0.5 0.25 1");   // and the colour
  EXPECT_EQ(Written(), expected);

  // And the written file reads back to the moved positions.
  const std::string written = Written();
  ASSERT_TRUE(Read(written)) << error_;
  EXPECT_EQ(doc_.VertexAt(0, 1), (Vertex{0.1f, -2, 3.5f}));
  EXPECT_EQ(doc_.VertexAt(0, 3), (Vertex{0, 1, 7}));
}

TEST_F(ObjFileTest, ShortestTextReadsBackToTheSameFloat) {
  for (float f : {0.1f, 1.0f / 3, -123456.78f, 1e-30f, 3.4e38f, -0.0f}) {
    const std::string text = standin::ShortestFloat(f);
    float back = std::stof(text);
    EXPECT_EQ(std::memcmp(&back, &f, sizeof f), 0) << text;
  }
  EXPECT_EQ(standin::ShortestFloat(0.1f), "0.1");
}

TEST_F(ObjFileTest, VerticesBelongToTheObjectThatUsesThemFirst) {
  // All vertices first, then the groups that use them, as many exporters write.
  ASSERT_TRUE(
      Read("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 5 5 5\n"
           "g left\nf 1 2 3\ng right\nf 3 2 4\n"))
      << error_;
  // The vertices' own section (before any g) ends up empty and is dropped.
  ASSERT_EQ(doc_.ObjectCount(), 2);
  EXPECT_EQ(doc_.ObjectAt(0)->name, "left");
  EXPECT_EQ(doc_.ObjectAt(0)->vertices.size(), 3u);
  // "right" owns vertex 4 and has copies of the two it shares with "left".
  EXPECT_EQ(doc_.ObjectAt(1)->vertices.size(), 3u);
  EXPECT_EQ(doc_.ObjectAt(1)->faces[0].points, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(doc_.VertexAt(1, 1), (Vertex{1, 1, 0}));
}

TEST_F(ObjFileTest, UnusedVerticesBeforeAnyObjectFormOneNamedAfterTheFile) {
  ASSERT_TRUE(Read("v 1 2 3\no later\nv 4 5 6\nf 2 2\n")) << error_;
  ASSERT_EQ(doc_.ObjectCount(), 2);
  EXPECT_EQ(doc_.ObjectAt(0)->name, "m");
  EXPECT_EQ(doc_.ObjectAt(0)->vertices.size(), 1u);
}

TEST_F(ObjFileTest, ASharedVertexMovedInOneObjectIsWritten) {
  ASSERT_TRUE(Read("g a\nv 0 0 0\nv 1 0 0\nf 1 2\ng b\nv 2 0 0\nf 2 3\n")) << error_;
  doc_.ObjectAt(1)->vertices[1] = {1, 5, 0};  // b's copy of vertex 2
  EXPECT_EQ(Written(), "g a\nv 0 0 0\nv 1 5 0\nf 1 2\ng b\nv 2 0 0\nf 2 3\n");
}

TEST_F(ObjFileTest, ASharedVertexMovedApartIsRefusedNotHalfLost) {
  ASSERT_TRUE(Read("g a\nv 0 0 0\nv 1 0 0\nf 1 2\ng b\nv 2 0 0\nf 2 3\n")) << error_;
  doc_.ObjectAt(0)->vertices[1] = {1, 4, 0};
  doc_.ObjectAt(1)->vertices[1] = {1, 5, 0};
  std::string text;
  EXPECT_FALSE(standin::WriteObj(doc_, &source_, &text, &error_));
  EXPECT_EQ(error_.rfind("m.obj:3: ", 0), 0u) << error_;
}

TEST_F(ObjFileTest, ADocumentThatChangedShapeIsNotWrittenIntoTheLoadedFile) {
  ASSERT_TRUE(Read("o a\nv 0 0 0\nv 1 0 0\nl 1 2\n")) << error_;
  doc_.AddVertex(0, 9, 9, 9);
  std::string text;
  EXPECT_FALSE(standin::WriteObj(doc_, &source_, &text, &error_));
  EXPECT_NE(error_.find("no longer has"), std::string::npos) << error_;
}

TEST_F(ObjFileTest, ADocumentBuiltByHandIsWrittenWhole) {
  int square = doc_.AddObject("square", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}});
  doc_.AddObject("edge", {{0, 0, 0.5f}, {0, 0, 1}}, {{0, 1}});
  doc_.currentObject = square;
  std::string text;
  ASSERT_TRUE(standin::WriteObj(doc_, nullptr, &text, &error_));
  EXPECT_EQ(text,
            "# written by gridwell-host\no square\nv 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3\n"
            "o edge\nv 0 0 0.5\nv 0 0 1\nl 4 5\n");
  ASSERT_TRUE(Read(text)) << error_;
  EXPECT_EQ(doc_.ObjectAt(1)->faces[0].points, (std::vector<int>{0, 1}));
}

struct BadFile {
  std::string text;
  int line;
  const char* reason;
};

TEST_F(ObjFileTest, BadFilesLoadNothingAndSayWhereAndWhy) {
  const BadFile cases[] = {
      {"v 0 0 0\nv 1 x 0\n", 2, "'x' is not a finite number"},
      {"v 0 0\n", 1, "needs x, y and z"},
      {"v 0 0 1e60\n", 1, "'1e60' is not a finite number"},
      {"v 0 0 nan\n", 1, "'nan' is not a finite number"},
      {"v 0 0 0\nv 1 0 0\nf 1 3\n", 3, "vertex 3 does not exist (the file has 2 vertices)"},
      {"v 0 0 0\nf 1 0 1\n", 2, "0 refers to no vertex"},
      {"v 0 0 0\nf 1 -2\n", 2, "reaches back past the first"},
      {"v 0 0 0\nf 1 1/a\n", 2, "'1/a' is not a vertex reference"},
      {"v 0 0 0\nf 1 1/2/3/4\n", 2, "is not a vertex reference"},
      {"v 0 0 0\nf 1\n", 2, "a face ('f') needs at least two vertices"},
      {"v 0 0 0\nl 1\n", 2, "a line ('l') needs at least two vertices"},
      {"v 0 0 0\nf 1 99999999999\n", 2, "does not exist"},
      {"v 0 0 0 \\\n1\n", 1, "continued with '\\' are not supported"},
      {std::string("v 0 0 0\n\x7f"
                   "ELF\0\0",
                   13),
       2, "NUL byte"},
  };
  for (const BadFile& bad : cases) {
    SCOPED_TRACE(bad.text);
    Document& doc = Host::Instance().Reset();
    doc.AddObject("left over");
    EXPECT_FALSE(Read(bad.text));
    EXPECT_EQ(error_.rfind("m.obj:" + std::to_string(bad.line) + ": ", 0), 0u) << error_;
    EXPECT_NE(error_.find(bad.reason), std::string::npos) << error_;
    EXPECT_EQ(doc.ObjectCount(), 0);  // nothing half-loaded, nothing left over
    EXPECT_TRUE(source_.lines.empty());
  }
}

// Files on disk: a temporary directory per test.
class ObjFileOnDiskTest : public ObjFileTest {
 protected:
  std::string dir_ = ::testing::TempDir();
  std::string Path(const std::string& name) { return dir_ + "gridwell_obj_" + name; }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
};

TEST_F(ObjFileOnDiskTest, SavingReplacesTheFileAndLeavesNoTemporary) {
  const std::string path = Path("save.obj");
  Put(path, kQuirkyModel);
  ASSERT_TRUE(standin::LoadObjFile(path, doc_, &source_, &error_)) << error_;
  doc_.ObjectAt(1)->vertices[0] = {3, 0, -1};
  ASSERT_TRUE(standin::SaveObjFile(path, doc_, &source_, &error_)) << error_;
  EXPECT_NE(Contents(path).find("\nv 3 0 -1\n"), std::string::npos);
  EXPECT_EQ(std::fopen((path + ".gridwell-tmp").c_str(), "rb"), nullptr);
  std::remove(path.c_str());
}

TEST_F(ObjFileOnDiskTest, AFailedSaveLeavesTheTargetAsItWas) {
  const std::string path = Path("kept.obj");
  Put(path, "o a\nv 0 0 0\nv 1 0 0\nl 1 2\n");
  ASSERT_TRUE(standin::LoadObjFile(path, doc_, &source_, &error_)) << error_;
  doc_.AddVertex(0, 5, 5, 5);  // the document no longer fits the file
  doc_.ObjectAt(0)->vertices[0] = {7, 7, 7};
  EXPECT_FALSE(standin::SaveObjFile(path, doc_, &source_, &error_));
  EXPECT_EQ(Contents(path), "o a\nv 0 0 0\nv 1 0 0\nl 1 2\n");
  std::remove(path.c_str());

  EXPECT_FALSE(standin::SaveObjFile(Path("no such dir/x.obj"), doc_, nullptr, &error_));
  EXPECT_NE(error_.find("cannot write here"), std::string::npos) << error_;
}

TEST_F(ObjFileOnDiskTest, AMissingFileIsNamed) {
  EXPECT_FALSE(standin::LoadObjFile(Path("missing.obj"), doc_, &source_, &error_));
  EXPECT_EQ(error_, Path("missing.obj") + ": cannot open the file");
}

}  // namespace
