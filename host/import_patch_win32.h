// Points one import of a loaded module at another function, by overwriting the entry
// for that function in the module's import address table, or reads where it leads.
// Test-side only: the panel driver counts the plug-in's beeps this way, tests give the
// plug-in stand-ins for system functions whose answers a test machine cannot vary (a
// second monitor), and the stress test checks which library the plug-in's common
// controls come from. The plug-in's own code and files are never changed.
#pragma once

#include <windows.h>

#include <cstring>

// The entry of module's import address table that holds dll!function (imported by
// name), or null when the module does not import it so.
inline ULONG_PTR* FindImportSlot(HMODULE module, const char* dll, const char* function) {
  if (module == nullptr) return nullptr;
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;

  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (_stricmp(reinterpret_cast<char*>(base + entry->Name), dll) != 0) continue;
    if (entry->OriginalFirstThunk == 0) continue;  // no names to go by
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
      return reinterpret_cast<ULONG_PTR*>(&addresses->u1.Function);
    }
  }
  return nullptr;
}

// The module that module's import of dll!function (imported by name) leads into, or
// null. Takes no reference.
inline HMODULE ImportedFrom(HMODULE module, const char* dll, const char* function) {
  const ULONG_PTR* slot = FindImportSlot(module, dll, function);
  HMODULE into = nullptr;
  if (slot == nullptr ||
      !GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(*slot), &into)) {
    return nullptr;
  }
  return into;
}

// Makes module's import of dll!function (imported by name) call replacement. Answers
// the address the entry held before, to call on or to put back with a second call;
// null when the module does not import the function by name or the entry cannot be
// written.
inline void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement) {
  ULONG_PTR* slot = FindImportSlot(module, dll, function);
  if (slot == nullptr) return nullptr;
  void* previous = reinterpret_cast<void*>(*slot);
  DWORD oldProtection = 0;
  if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &oldProtection)) return nullptr;
  *slot = reinterpret_cast<ULONG_PTR>(replacement);
  VirtualProtect(slot, sizeof(*slot), oldProtection, &oldProtection);
  return previous;
}
