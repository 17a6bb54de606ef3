// The module object of the window layer: which thread loaded the library, the
// message loop registered for each thread, and the list of windows being created
// (so that a window procedure can find its object on the window's first message).
// Each table has its own lock. Initialised at process attach, terminated at detach.
#pragma once

#include <windows.h>

#include <map>

class CMessageLoop;

// One window whose creation is under way on a thread. Lives in the frame of the
// function that creates the window.
struct WindowCreation {
  void* object;
  DWORD threadId;
  WindowCreation* next;
};

class AppModule {
 public:
  // Sets up the locks, records the calling thread as the main thread and starts
  // an empty loop table. False if the table cannot be allocated.
  bool Init();
  // Frees the loop table and deletes the locks. Safe to call more than once.
  void Term();
  DWORD MainThreadId() const { return m_mainThreadId; }

  // The loop of the calling thread. Add fails when the thread already has one.
  bool AddMessageLoop(CMessageLoop* loop);
  bool RemoveMessageLoop();
  // The loop registered for the calling thread, or null.
  CMessageLoop* GetMessageLoop();

  // Creation list. Add before creating the window; the window's first message
  // takes the entry of its thread back out (null if there is none).
  bool AddWindowCreation(WindowCreation* entry, void* object);
  void* ExtractWindowCreation();
  // Drops entry if it is still listed: the window never got a message, or its
  // creation failed before the first one.
  void RemoveWindowCreation(WindowCreation* entry);

  // The module that holds this code and its resources: the DLL in the product, the
  // test program when the panel is linked into one.
  static HINSTANCE ResourceInstance();

 private:
  bool m_initialised = false;
  DWORD m_mainThreadId = 0;
  CRITICAL_SECTION m_loopLock{};
  CRITICAL_SECTION m_creationLock{};
  std::map<DWORD, CMessageLoop*>* m_loops = nullptr;
  WindowCreation* m_creations = nullptr;
};

// The library's one module object.
extern AppModule g_module;
