// What a Windows process holds, counted in ways that work on Windows and under Wine,
// natively and under an emulator, for dll_cycle_test.
#pragma once

#include <cstddef>

struct ProcessUsage {
  // Kernel handles of this process: its entries in the system's handle list (Wine
  // answers 0 to GetProcessHandleCount, but lists the handles).
  std::size_t handles = 0;
  // Windows of this process's threads, children and message-only windows included.
  std::size_t windows = 0;
  // Live GDI objects: GetGuiResources where it answers, else the process's GDI handle
  // table walked (Wine answers 0 to GetGuiResources).
  std::size_t gdiObjects = 0;
  // Committed private memory in the process's address space (heaps, VirtualAlloc,
  // thread stacks). Unlike the operating system's "private bytes", which under Wine is
  // the whole Linux process's anonymous memory, it does not count an emulator's cache
  // of translated code.
  std::size_t committedPrivate = 0;
  // The operating system's figures, printed for information.
  std::size_t privateBytes = 0;
  std::size_t workingSet = 0;
};

ProcessUsage MeasureProcessUsage();
