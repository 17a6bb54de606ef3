// Reading and writing Wavefront OBJ. A small parser of our own rather than a
// library: writing a file back unchanged needs every source line and the line each
// vertex came from, and a bad number or index must stop the load with its line
// rather than read as 0 or drop a face.
#include "host/obj_file.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unordered_map>

#ifdef _WIN32
#include <windows.h>
#endif

namespace standin {

namespace {

struct Word {
  size_t begin, end;
};

// The blank-separated words of a line up to a '#'.
std::vector<Word> SplitWords(const std::string& text) {
  std::vector<Word> words;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= n || text[i] == '#') break;
    size_t start = i;
    while (i < n && text[i] != ' ' && text[i] != '\t' && text[i] != '#') ++i;
    words.push_back({start, i});
  }
  return words;
}

bool ReadFloat(const std::string& text, Word w, float* value) {
  const char* first = text.data() + w.begin;
  const char* last = text.data() + w.end;
  if (first != last && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, *value, std::chars_format::general);
  return ec == std::errc() && end == last && first != last && std::isfinite(*value);
}

bool ReadInt(const char* first, const char* last, long long* value) {
  if (first != last && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, *value);
  return ec == std::errc() && end == last && first != last;
}

// One face or line as parsed: file vertex numbers (0-based) and its section.
struct ParsedFace {
  std::vector<int> points;
  int section;
};

struct Section {
  std::string name;
  bool implicit;  // before any 'o' or 'g'
};

class ObjReader {
 public:
  ObjReader(const std::string& file, ObjSource* source) : file_(file), source_(source) {}

  bool Read(const std::string& text, std::string* error);
  void Build(Document& doc);

 private:
  bool Fail(int line, const std::string& reason) {
    error_ = file_ + ":" + std::to_string(line) + ": " + reason;
    return false;
  }
  bool ParseLine(int number, ObjSource::Line& line);
  bool ParseVertex(int number, ObjSource::Line& line, const std::vector<Word>& words);
  bool ParseReference(int number, const std::string& text, Word w, int* vertex);
  int CurrentSection();

  std::string file_;
  ObjSource* source_;
  std::string error_;
  std::vector<Section> sections_;
  std::vector<int> vertexSection_;  // the section declaring each file vertex
  std::vector<ParsedFace> faces_;
  // References may point forward; checked once the whole file is read.
  std::vector<std::pair<int, long long>> forward_;  // (line, 1-based index)
};

std::string FileStem(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name.empty() ? "model" : name;
}

int ObjReader::CurrentSection() {
  if (sections_.empty()) sections_.push_back({FileStem(file_), true});
  return static_cast<int>(sections_.size()) - 1;
}

bool ObjReader::Read(const std::string& text, std::string* error) {
  size_t pos = 0;
  int number = 0;
  while (pos < text.size()) {
    ++number;
    size_t newline = text.find('\n', pos);
    ObjSource::Line line;
    if (newline == std::string::npos) {
      line.text = text.substr(pos);
      pos = text.size();
    } else {
      line.text = text.substr(pos, newline - pos);
      line.ending = "\n";
      pos = newline + 1;
    }
    if (!line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.ending = "\r" + line.ending;
    }
    if (!ParseLine(number, line)) {
      *error = error_;
      return false;
    }
    source_->lines.push_back(std::move(line));
  }
  const long long count = static_cast<long long>(source_->vertices.size());
  for (const auto& [line, index] : forward_) {
    if (index > count) {
      Fail(line, "vertex " + std::to_string(index) + " does not exist (the file has " +
                     std::to_string(count) + (count == 1 ? " vertex)" : " vertices)"));
      *error = error_;
      return false;
    }
  }
  return true;
}

bool ObjReader::ParseLine(int number, ObjSource::Line& line) {
  const std::string& text = line.text;
  if (text.find('\0') != std::string::npos) {
    return Fail(number, "the line holds a NUL byte (is this a text file?)");
  }
  std::vector<Word> words = SplitWords(text);
  if (words.empty()) return true;
  if (text[words.back().end - 1] == '\\') {
    return Fail(number, "lines continued with '\\' are not supported");
  }
  const std::string keyword = text.substr(words[0].begin, words[0].end - words[0].begin);
  if (keyword == "o" || keyword == "g") {
    size_t begin = words.size() > 1 ? words[1].begin : text.size();
    size_t end = words.back().end;
    std::string name = begin < end ? text.substr(begin, end - begin) : "";
    if (name.empty()) name = keyword == "o" ? "object" : "default";
    sections_.push_back({name, false});
    return true;
  }
  if (keyword == "v") return ParseVertex(number, line, words);
  if (keyword == "f" || keyword == "l") {
    const bool polyline = keyword == "l";
    if (words.size() < 3) {
      return Fail(number, std::string(polyline ? "a line ('l')" : "a face ('f')") +
                              " needs at least two vertices");
    }
    std::vector<int> points;
    for (size_t i = 1; i < words.size(); ++i) {
      int vertex = 0;
      if (!ParseReference(number, text, words[i], &vertex)) return false;
      points.push_back(vertex);
    }
    const int section = CurrentSection();
    if (polyline) {
      for (size_t i = 0; i + 1 < points.size(); ++i)
        faces_.push_back({{points[i], points[i + 1]}, section});
    } else {
      faces_.push_back({std::move(points), section});
    }
    return true;
  }
  return true;  // kept as it is
}

bool ObjReader::ParseVertex(int number, ObjSource::Line& line, const std::vector<Word>& words) {
  const std::string& text = line.text;
  if (words.size() < 4) return Fail(number, "a vertex ('v') needs x, y and z");
  float xyz[3];
  for (size_t i = 1; i < words.size(); ++i) {
    float value;
    if (!ReadFloat(text, words[i], &value)) {
      return Fail(number, "'" + text.substr(words[i].begin, words[i].end - words[i].begin) +
                              "' is not a finite number");
    }
    if (i <= 3) xyz[i - 1] = value;
  }
  line.vertex = static_cast<int>(source_->vertices.size());
  line.xBegin = words[1].begin;
  line.zEnd = words[3].end;
  source_->vertices.push_back({{xyz[0], xyz[1], xyz[2]}, {}, number});
  vertexSection_.push_back(CurrentSection());
  return true;
}

// A vertex reference: v, v/vt, v//vn or v/vt/vn. Texture and normal numbers are
// checked for form only; the host keeps no texture or normal.
bool ObjReader::ParseReference(int number, const std::string& text, Word w, int* vertex) {
  const std::string ref = text.substr(w.begin, w.end - w.begin);
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t slash = ref.find('/', start);
    parts.push_back(ref.substr(start, slash - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  long long index = 0;
  const std::string& v = parts[0];
  if (parts.size() > 3 || !ReadInt(v.data(), v.data() + v.size(), &index)) {
    return Fail(number, "'" + ref + "' is not a vertex reference (v, v/vt, v//vn or v/vt/vn)");
  }
  for (size_t i = 1; i < parts.size(); ++i) {
    long long other;
    const std::string& p = parts[i];
    if (!p.empty() && !ReadInt(p.data(), p.data() + p.size(), &other)) {
      return Fail(number, "'" + ref + "' is not a vertex reference (v, v/vt, v//vn or v/vt/vn)");
    }
  }
  const long long readSoFar = static_cast<long long>(source_->vertices.size());
  if (index == 0) return Fail(number, "vertex numbers start at 1; 0 refers to no vertex");
  if (index < 0) {
    if (index < -0x7fffffff || -index > readSoFar) {
      return Fail(number, "vertex " + std::to_string(index) + " reaches back past the first (" +
                              std::to_string(readSoFar) + " vertices read so far)");
    }
    index = readSoFar + index + 1;
  } else if (index > readSoFar) {
    forward_.push_back({number, index});  // checked once the file's count is known
  }
  *vertex = static_cast<int>(index - 1);
  return true;
}

void ObjReader::Build(Document& doc) {
  const int vertexCount = static_cast<int>(source_->vertices.size());
  // Owner section of each vertex: the first face that uses it, else its declaring one.
  std::vector<int> owner(vertexSection_);
  std::vector<bool> used(vertexCount, false);
  for (const ParsedFace& face : faces_) {
    for (int p : face.points) {
      if (!used[p]) {
        used[p] = true;
        owner[p] = face.section;
      }
    }
  }
  std::vector<int> ownedCount(sections_.size(), 0), faceCount(sections_.size(), 0);
  for (int v = 0; v < vertexCount; ++v) ++ownedCount[owner[v]];
  for (const ParsedFace& face : faces_) ++faceCount[face.section];

  std::vector<int> objectOf(sections_.size(), -1);
  for (size_t s = 0; s < sections_.size(); ++s) {
    if (sections_[s].implicit && ownedCount[s] == 0 && faceCount[s] == 0) continue;
    objectOf[s] = doc.AddObject(sections_[s].name);
  }
  for (int v = 0; v < vertexCount; ++v) {
    const int object = objectOf[owner[v]];
    const Vertex& p = source_->vertices[v].loaded;
    source_->vertices[v].places.push_back({object, doc.AddVertex(object, p.x, p.y, p.z)});
  }
  // Copies for faces that use another object's vertex, one per (object, vertex).
  std::unordered_map<long long, int> copies;
  for (const ParsedFace& face : faces_) {
    const int object = objectOf[face.section];
    std::vector<int> points;
    for (int p : face.points) {
      ObjSource::FileVertex& fv = source_->vertices[p];
      if (fv.places[0].object == object) {
        points.push_back(fv.places[0].vertex);
        continue;
      }
      const long long key = static_cast<long long>(object) * vertexCount + p;
      auto found = copies.find(key);
      if (found == copies.end()) {
        int copy = doc.AddVertex(object, fv.loaded.x, fv.loaded.y, fv.loaded.z);
        fv.places.push_back({object, copy});
        found = copies.emplace(key, copy).first;
      }
      points.push_back(found->second);
    }
    doc.AddFace(object, points);
  }
  for (int i = 0; i < doc.ObjectCount(); ++i) {
    const Object* o = doc.ObjectAt(i);
    source_->shapes.push_back(
        {static_cast<int>(o->vertices.size()), static_cast<int>(o->faces.size())});
  }
  doc.currentObject = -1;
  for (int i = 0; i < doc.ObjectCount() && doc.currentObject < 0; ++i) {
    if (!doc.ObjectAt(i)->vertices.empty()) doc.currentObject = i;
  }
}

bool SameBits(const Vertex& a, const Vertex& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string CoordinateText(const Vertex& p) {
  return ShortestFloat(p.x) + " " + ShortestFloat(p.y) + " " + ShortestFloat(p.z);
}

bool WriteWholeDocument(const Document& doc, std::string* text) {
  std::string out = "# written by gridwell-host\n";
  int base = 1;  // OBJ numbers vertices across the file from 1
  for (int i = 0; i < doc.ObjectCount(); ++i) {
    const Object* o = doc.ObjectAt(i);
    if (o == nullptr) continue;
    out += "o " + o->name + "\n";
    for (const Vertex& v : o->vertices) out += "v " + CoordinateText(v) + "\n";
    for (const Face& f : o->faces) {
      out += f.points.size() == 2 ? "l" : "f";
      for (int p : f.points) out += " " + std::to_string(p + base);
      out += "\n";
    }
    base += static_cast<int>(o->vertices.size());
  }
  *text = std::move(out);
  return true;
}

}  // namespace

std::string ShortestFloat(float value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("nan");
}

bool ReadObj(const std::string& text, const std::string& file, Document& doc, ObjSource* source,
             std::string* error) {
  doc.Clear();
  *source = ObjSource();
  source->file = file;
  ObjReader reader(file, source);
  if (!reader.Read(text, error)) {
    *source = ObjSource();
    return false;
  }
  reader.Build(doc);
  return true;
}

bool WriteObj(const Document& doc, const ObjSource* source, std::string* text, std::string* error) {
  if (source == nullptr) return WriteWholeDocument(doc, text);
  bool sameShape = doc.ObjectCount() == static_cast<int>(source->shapes.size());
  for (int i = 0; sameShape && i < doc.ObjectCount(); ++i) {
    const Object* o = doc.ObjectAt(i);
    sameShape = o != nullptr &&
                static_cast<int>(o->vertices.size()) == source->shapes[i].vertices &&
                static_cast<int>(o->faces.size()) == source->shapes[i].faces;
  }
  if (!sameShape) {
    *error = "the document no longer has the objects, vertices and faces loaded from " +
             source->file + "; only moved positions can be written back into it";
    return false;
  }
  // Each file vertex's new position, or its loaded one when no copy of it moved.
  std::vector<Vertex> positions(source->vertices.size());
  for (size_t v = 0; v < source->vertices.size(); ++v) {
    const ObjSource::FileVertex& fv = source->vertices[v];
    positions[v] = fv.loaded;
    bool moved = false;
    for (const ObjSource::Place& place : fv.places) {
      const Vertex now = doc.VertexAt(place.object, place.vertex);
      if (SameBits(now, fv.loaded)) continue;
      if (moved && !SameBits(now, positions[v])) {
        *error = source->file + ":" + std::to_string(fv.line) +
                 ": this vertex is shared by several objects, and they moved it to different "
                 "places; move it the same way in each (or in one only) to write it";
        return false;
      }
      moved = true;
      positions[v] = now;
    }
  }
  std::string out;
  for (const ObjSource::Line& line : source->lines) {
    if (line.vertex >= 0 &&
        !SameBits(positions[line.vertex], source->vertices[line.vertex].loaded)) {
      out.append(line.text, 0, line.xBegin);
      out += CoordinateText(positions[line.vertex]);
      out.append(line.text, line.zEnd, std::string::npos);
    } else {
      out += line.text;
    }
    out += line.ending;
  }
  *text = std::move(out);
  return true;
}

bool LoadObjFile(const std::string& path, Document& doc, ObjSource* source, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": cannot open the file";
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    *error = path + ": cannot read the file";
    return false;
  }
  return ReadObj(text.str(), path, doc, source, error);
}

bool SaveObjFile(const std::string& path, const Document& doc, const ObjSource* source,
                 std::string* error) {
  std::string text;
  if (!WriteObj(doc, source, &text, error)) return false;
  const std::string temporary = path + ".gridwell-tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      *error = path + ": cannot write here (creating " + temporary + " failed)";
      return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      *error = path + ": writing failed (disk full?); the file was left as it was";
      return false;
    }
  }
#ifdef _WIN32
  const bool renamed = MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  const bool renamed = std::rename(temporary.c_str(), path.c_str()) == 0;
#endif
  if (!renamed) {
    std::remove(temporary.c_str());
    *error = path + ": cannot replace the file; it was left as it was";
    return false;
  }
  return true;
}

}  // namespace standin
