#include "panel/win32/message_loop.h"

#include <algorithm>

namespace {

template <typename T>
bool AddOnce(std::vector<T*>& list, T* item) {
  if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end()) return false;
  list.push_back(item);
  return true;
}

template <typename T>
bool RemoveOne(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

}  // namespace

bool CMessageLoop::AddMessageFilter(CMessageFilter* filter) { return AddOnce(m_filters, filter); }

bool CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) {
  return RemoveOne(m_filters, filter);
}

bool CMessageLoop::AddIdleHandler(CIdleHandler* handler) {
  return AddOnce(m_idleHandlers, handler);
}

bool CMessageLoop::RemoveIdleHandler(CIdleHandler* handler) {
  return RemoveOne(m_idleHandlers, handler);
}

BOOL CMessageLoop::PreTranslateMessage(MSG* msg) {
  // Walk a copy: a filter may remove itself (its window being destroyed) meanwhile.
  const std::vector<CMessageFilter*> filters = m_filters;
  for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
    if ((*it)->PreTranslateMessage(msg)) return TRUE;
  }
  return FALSE;
}

BOOL CMessageLoop::OnIdle() {
  const std::vector<CIdleHandler*> handlers = m_idleHandlers;
  BOOL wantMore = FALSE;
  for (CIdleHandler* handler : handlers) {
    if (handler->OnIdle()) wantMore = TRUE;
  }
  return wantMore;
}
