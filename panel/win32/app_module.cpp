#include "panel/win32/app_module.h"

#include <new>

AppModule g_module;

namespace {

// Holds a critical section for the life of a scope.
class Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : m_section(section) {
    EnterCriticalSection(&m_section);
  }
  ~Lock() { LeaveCriticalSection(&m_section); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CRITICAL_SECTION& m_section;
};

}  // namespace

bool AppModule::Init() {
  if (m_initialised) return true;
  m_loops = new (std::nothrow) std::map<DWORD, CMessageLoop*>();
  if (m_loops == nullptr) return false;
  InitializeCriticalSection(&m_loopLock);
  InitializeCriticalSection(&m_creationLock);
  m_mainThreadId = GetCurrentThreadId();
  m_creations = nullptr;
  m_initialised = true;
  return true;
}

void AppModule::Term() {
  if (!m_initialised) return;
  m_initialised = false;
  delete m_loops;
  m_loops = nullptr;
  m_creations = nullptr;
  DeleteCriticalSection(&m_creationLock);
  DeleteCriticalSection(&m_loopLock);
}

bool AppModule::AddMessageLoop(CMessageLoop* loop) {
  if (!m_initialised || loop == nullptr) return false;
  Lock lock(m_loopLock);
  try {
    return m_loops->emplace(GetCurrentThreadId(), loop).second;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool AppModule::RemoveMessageLoop() {
  if (!m_initialised) return false;
  Lock lock(m_loopLock);
  return m_loops->erase(GetCurrentThreadId()) != 0;
}

CMessageLoop* AppModule::GetMessageLoop() {
  if (!m_initialised) return nullptr;
  Lock lock(m_loopLock);
  auto it = m_loops->find(GetCurrentThreadId());
  return it == m_loops->end() ? nullptr : it->second;
}

bool AppModule::AddWindowCreation(WindowCreation* entry, void* object) {
  if (!m_initialised) return false;
  Lock lock(m_creationLock);
  entry->object = object;
  entry->threadId = GetCurrentThreadId();
  entry->next = m_creations;
  m_creations = entry;
  return true;
}

void* AppModule::ExtractWindowCreation() {
  if (!m_initialised) return nullptr;
  Lock lock(m_creationLock);
  const DWORD thread = GetCurrentThreadId();
  for (WindowCreation** link = &m_creations; *link != nullptr; link = &(*link)->next) {
    if ((*link)->threadId == thread) {
      WindowCreation* found = *link;
      *link = found->next;
      return found->object;
    }
  }
  return nullptr;
}

void AppModule::RemoveWindowCreation(WindowCreation* entry) {
  if (!m_initialised) return;
  Lock lock(m_creationLock);
  for (WindowCreation** link = &m_creations; *link != nullptr; link = &(*link)->next) {
    if (*link == entry) {
      *link = entry->next;
      return;
    }
  }
}

HINSTANCE AppModule::ResourceInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&AppModule::ResourceInstance), &module);
  return module;
}
