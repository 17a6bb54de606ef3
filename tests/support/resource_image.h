// The resources of a DLL's file image, found and changed in place: for tests that
// load a copy of the plug-in with one resource changed. Windows only; reads images of
// the edition it is built for (PE32 or PE32+), and finds nothing in anything else.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class ResourceImage {
 public:
  // The image is changed through this object and must outlive it.
  explicit ResourceImage(std::string& image);

  // The bytes of resource type/id in its first language, and their count in *size;
  // nullptr when there is no such resource or its bytes lie outside the image.
  char* Data(WORD type, WORD id, size_t* size);

  // Gives resource type/id the number newId. False, and nothing changed, when there is
  // no such resource, or when newId would not keep the numbers of its type in the
  // ascending order that Windows searches them in.
  bool Renumber(WORD type, WORD id, WORD newId);

 private:
  bool Fits(size_t offset, size_t bytes) const {
    return offset <= m_image.size() && m_image.size() - offset >= bytes;
  }
  // A T at offset bytes into the image; nullptr when it does not fit.
  template <class T>
  T* At(size_t offset) {
    return Fits(offset, sizeof(T)) ? reinterpret_cast<T*>(m_image.data() + offset) : nullptr;
  }
  // The entries of the resource directory at offset directory from the root, and
  // their count; nullptr when it does not fit.
  IMAGE_RESOURCE_DIRECTORY_ENTRY* Entries(size_t directory, int* count);
  // The entry with the given ID among them, and its place; nullptr when there is none.
  IMAGE_RESOURCE_DIRECTORY_ENTRY* Find(size_t directory, WORD id, int* place, int* count);
  // The entry of resource type/id; nullptr when there is none.
  IMAGE_RESOURCE_DIRECTORY_ENTRY* FindEntry(WORD type, WORD id, int* place, int* count);
  // The file offset of an address relative to the image base; 0 outside every section.
  size_t FileOffset(DWORD rva);

  std::string& m_image;
  const IMAGE_NT_HEADERS* m_nt = nullptr;
  size_t m_root = 0;  // file offset of the root resource directory; 0 when there is none
};
