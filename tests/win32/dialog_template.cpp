#include "tests/win32/dialog_template.h"

#include <cstring>

namespace {

// Walks the resource bytes in WORDs, refusing to read past the end.
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

  bool Word(WORD* out) { return Bytes(out, sizeof(*out)); }
  bool Dword(DWORD* out) { return Bytes(out, sizeof(*out)); }
  bool Short(short* out) { return Bytes(out, sizeof(*out)); }

  // A NUL-terminated UTF-16 string.
  bool String(std::wstring* out) {
    out->clear();
    for (;;) {
      WORD c = 0;
      if (!Word(&c)) return false;
      if (c == 0) return true;
      out->push_back(static_cast<wchar_t>(c));
    }
  }

  // Absent (0), an ordinal (0xFFFF then a WORD) or a string.
  bool StringOrOrdinal(bool* present, WORD* ordinal, std::wstring* text) {
    WORD first = 0;
    if (!Word(&first)) return false;
    *present = first != 0;
    *ordinal = 0;
    text->clear();
    if (first == 0) return true;
    if (first == 0xFFFF) return Word(ordinal);
    text->push_back(static_cast<wchar_t>(first));
    std::wstring rest;
    if (!String(&rest)) return false;
    *text += rest;
    return true;
  }

  void AlignToDword() { m_offset = (m_offset + 3) & ~size_t{3}; }

 private:
  bool Bytes(void* out, size_t count) {
    if (m_offset + count > m_size) return false;
    std::memcpy(out, m_data + m_offset, count);
    m_offset += count;
    return true;
  }

  const BYTE* m_data;
  size_t m_size;
  size_t m_offset = 0;
};

}  // namespace

bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate* out) {
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (info == nullptr) return false;
  HGLOBAL handle = LoadResource(module, info);
  const auto* data = static_cast<const BYTE*>(LockResource(handle));
  if (data == nullptr) return false;
  TemplateReader reader(data, SizeofResource(module, info));

  WORD count = 0;
  if (!reader.Dword(&out->style) || !reader.Dword(&out->exStyle) || !reader.Word(&count) ||
      !reader.Short(&out->x) || !reader.Short(&out->y) || !reader.Short(&out->cx) ||
      !reader.Short(&out->cy)) {
    return false;
  }
  if (HIWORD(out->style) == 0xFFFF) return false;  // an extended template

  WORD ordinal = 0;
  std::wstring name;
  if (!reader.StringOrOrdinal(&out->hasMenu, &ordinal, &name)) return false;
  if (!reader.StringOrOrdinal(&out->hasClass, &ordinal, &name)) return false;
  if (!reader.String(&out->title)) return false;
  if (out->style & DS_SETFONT) {
    if (!reader.Word(&out->pointSize) || !reader.String(&out->fontFace)) return false;
  }

  out->items.clear();
  for (WORD i = 0; i < count; ++i) {
    reader.AlignToDword();
    TemplateItem item;
    if (!reader.Dword(&item.style) || !reader.Dword(&item.exStyle) || !reader.Short(&item.x) ||
        !reader.Short(&item.y) || !reader.Short(&item.cx) || !reader.Short(&item.cy) ||
        !reader.Word(&item.id)) {
      return false;
    }
    bool present = false;
    if (!reader.StringOrOrdinal(&present, &item.classAtom, &item.className)) return false;
    WORD textOrdinal = 0;
    if (!reader.StringOrOrdinal(&present, &textOrdinal, &item.text)) return false;
    WORD extra = 0;
    if (!reader.Word(&extra)) return false;
    if (extra != 0) return false;  // the panel's controls carry no creation data
    out->items.push_back(item);
  }
  return true;
}
