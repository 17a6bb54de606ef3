#include "tests/support/resource_image.h"

ResourceImage::ResourceImage(std::string& image) : m_image(image) {
  const auto* dos = At<IMAGE_DOS_HEADER>(0);
  if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0) return;
  const auto* nt = At<IMAGE_NT_HEADERS>(static_cast<size_t>(dos->e_lfanew));
  if (nt == nullptr || nt->Signature != IMAGE_NT_SIGNATURE ||
      nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC ||
      nt->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_RESOURCE) {
    return;
  }
  const size_t sections = static_cast<size_t>(dos->e_lfanew) +
                          offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                          nt->FileHeader.SizeOfOptionalHeader;
  if (!Fits(sections, nt->FileHeader.NumberOfSections * sizeof(IMAGE_SECTION_HEADER))) return;
  m_nt = nt;
  m_root =
      FileOffset(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress);
}

char* ResourceImage::Data(WORD type, WORD id, size_t* size) {
  int place = 0, count = 0;
  IMAGE_RESOURCE_DIRECTORY_ENTRY* byId = FindEntry(type, id, &place, &count);
  if (byId == nullptr || !byId->DataIsDirectory) return nullptr;
  IMAGE_RESOURCE_DIRECTORY_ENTRY* first = Entries(byId->OffsetToDirectory, &count);
  if (first == nullptr || count == 0 || first->DataIsDirectory) return nullptr;
  const auto* data = At<IMAGE_RESOURCE_DATA_ENTRY>(m_root + first->OffsetToData);
  if (data == nullptr) return nullptr;
  const size_t offset = FileOffset(data->OffsetToData);
  if (offset == 0 || !Fits(offset, data->Size)) return nullptr;
  *size = data->Size;
  return m_image.data() + offset;
}

bool ResourceImage::Renumber(WORD type, WORD id, WORD newId) {
  int place = 0, count = 0;
  IMAGE_RESOURCE_DIRECTORY_ENTRY* entry = FindEntry(type, id, &place, &count);
  if (entry == nullptr) return false;
  // Named entries come first, then the numbered ones in ascending order.
  const bool afterPrevious = place == 0 || entry[-1].NameIsString || entry[-1].Id < newId;
  const bool beforeNext = place + 1 == count || entry[1].Id > newId;
  if (!afterPrevious || !beforeNext) return false;
  entry->Id = newId;
  return true;
}

IMAGE_RESOURCE_DIRECTORY_ENTRY* ResourceImage::Entries(size_t directory, int* count) {
  if (m_root == 0) return nullptr;
  const auto* header = At<IMAGE_RESOURCE_DIRECTORY>(m_root + directory);
  if (header == nullptr) return nullptr;
  const size_t first = m_root + directory + sizeof(IMAGE_RESOURCE_DIRECTORY);
  *count = header->NumberOfNamedEntries + header->NumberOfIdEntries;
  if (!Fits(first, *count * sizeof(IMAGE_RESOURCE_DIRECTORY_ENTRY))) return nullptr;
  return reinterpret_cast<IMAGE_RESOURCE_DIRECTORY_ENTRY*>(m_image.data() + first);
}

IMAGE_RESOURCE_DIRECTORY_ENTRY* ResourceImage::Find(size_t directory, WORD id, int* place,
                                                    int* count) {
  IMAGE_RESOURCE_DIRECTORY_ENTRY* entries = Entries(directory, count);
  if (entries == nullptr) return nullptr;
  for (int i = 0; i < *count; ++i) {
    if (!entries[i].NameIsString && entries[i].Id == id) return *place = i, &entries[i];
  }
  return nullptr;
}

IMAGE_RESOURCE_DIRECTORY_ENTRY* ResourceImage::FindEntry(WORD type, WORD id, int* place,
                                                         int* count) {
  IMAGE_RESOURCE_DIRECTORY_ENTRY* byType = Find(0, type, place, count);
  if (byType == nullptr || !byType->DataIsDirectory) return nullptr;
  return Find(byType->OffsetToDirectory, id, place, count);
}

size_t ResourceImage::FileOffset(DWORD rva) {
  if (m_nt == nullptr || rva == 0) return 0;
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(m_nt);
  for (WORD i = 0; i < m_nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->SizeOfRawData)
      return rva - section->VirtualAddress + section->PointerToRawData;
  }
  return 0;
}
