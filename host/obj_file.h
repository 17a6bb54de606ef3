// Wavefront OBJ models in the stand-in host: read into the document, written back.
//
// Reading: each 'o' or 'g' line starts an object, named by the rest of the line.
// 'v' lines are vertices (x y z, then optional w or colour values); 'f' lines are
// faces of any length from two points up, never triangulated; 'l' lines are
// polylines, each segment a two-point face. Vertex references take the v, v/vt,
// v//vn and v/vt/vn forms; negative ones count back from the last vertex read so
// far. Every other line (vt, vn, usemtl, mtllib, s, comments, ...) is kept as it is.
//
// OBJ numbers vertices across the whole file, the host per object. A vertex belongs
// to the object of the first face or line that uses it, or, if none uses it, to the
// object whose section declares it. A face that uses a vertex of another object gets
// its own copy of it. Vertices and faces before the first 'o' or 'g' form an object
// named after the file, dropped when it ends up empty.
//
// Writing back: every line comes out as it came in, except the 'v' lines of vertices
// that moved, whose three coordinates are replaced (shortest text that reads back
// to the same float; whatever followed z stays). When copies of a shared vertex were
// moved to different places the write is refused rather than one of them lost.
//
// Errors name the file, the line and the reason; a file with any error loads nothing.
// Files are written to a temporary file beside the target and renamed over it, so a
// failed write leaves the target as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/stand_in_host.h"

namespace standin {

// What a loaded OBJ file was, kept to write it back.
struct ObjSource {
  struct Line {
    std::string text;             // without its line ending
    std::string ending;           // "\n", "\r\n" or "" (a last line without one)
    int vertex = -1;              // for a 'v' line: its vertex number in the file (0-based)
    size_t xBegin = 0, zEnd = 0;  // the coordinates' span in text, for 'v' lines
  };
  // Where a file vertex lives in the document: its owner and any copies.
  struct Place {
    int object, vertex;
  };
  struct FileVertex {
    Vertex loaded;              // as read
    std::vector<Place> places;  // places[0] is the owner
    int line = 0;               // 1-based line number, for messages
  };
  struct ObjectShape {
    int vertices = 0, faces = 0;
  };

  std::string file;
  std::vector<Line> lines;
  std::vector<FileVertex> vertices;
  std::vector<ObjectShape> shapes;  // per document object, as loaded
};

// Parses OBJ text and builds its objects in doc (which is cleared first; on error it
// is left empty). The first object with vertices becomes current. Answers false with
// "FILE:LINE: reason" in error.
bool ReadObj(const std::string& text, const std::string& file, Document& doc, ObjSource* source,
             std::string* error);

// The OBJ text of the document: the loaded source with moved positions when source
// is given, else a plain file of every object. Answers false with the reason when the
// document no longer fits the source or copies of a vertex disagree.
bool WriteObj(const Document& doc, const ObjSource* source, std::string* text, std::string* error);

// Reads a file and calls ReadObj; errors name the file.
bool LoadObjFile(const std::string& path, Document& doc, ObjSource* source, std::string* error);
// WriteObj into a temporary file next to path, then renamed over it.
bool SaveObjFile(const std::string& path, const Document& doc, const ObjSource* source,
                 std::string* error);

// The shortest decimal text that reads back as exactly this float.
std::string ShortestFloat(float value);

}  // namespace standin
