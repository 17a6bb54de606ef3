#include "tests/stress/process_usage.h"

#include <windows.h>
// After windows.h, which they build on.
#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace {

constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

using QuerySystemInformation = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, void*, ULONG, ULONG*);

std::size_t CountHandles() {
  auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query != nullptr) {
    std::vector<unsigned char> buffer(1 << 16);
    for (int attempt = 0; attempt < 8; ++attempt) {
      ULONG needed = 0;
      const NTSTATUS status =
          query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
      if (status == kInfoLengthMismatch) {
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
        continue;
      }
      if (status < 0) break;
      const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
      const DWORD self = GetCurrentProcessId();
      std::size_t count = 0;
      for (ULONG i = 0; i < list->Count; ++i) count += list->Handle[i].OwnerPid == self;
      return count;
    }
  }
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
  ++*reinterpret_cast<std::size_t*>(counter);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM counter) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == GetCurrentProcessId()) {
    ++*reinterpret_cast<std::size_t*>(counter);
    EnumChildWindows(window, CountChild, counter);  // every descendant
  }
  return TRUE;
}

std::size_t CountWindows() {
  std::size_t count = 0;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  // Message-only windows are not top-level windows; they are listed apart.
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
    CountTopLevel(window, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

std::size_t CountGdiObjects() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return count;
  // Wine keeps the process's GDI objects in a table of 65536 entries and accepts a
  // handle's table index alone (upper word zero) as the handle.
  std::size_t count = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) {
    count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
  }
  return count;
}

std::size_t CountCommittedPrivate() {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  const char* address = nullptr;
  while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;  // wrapped around the top of the address space
    address = next;
  }
  return total;
}

}  // namespace

ProcessUsage MeasureProcessUsage() {
  ProcessUsage usage;
  usage.handles = CountHandles();
  usage.windows = CountWindows();
  usage.gdiObjects = CountGdiObjects();
  usage.committedPrivate = CountCommittedPrivate();
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
    usage.privateBytes = counters.PagefileUsage;
    usage.workingSet = counters.WorkingSetSize;
  }
  return usage;
}
