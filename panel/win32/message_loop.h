// The per-thread message-loop object and its two kinds of hooks. The module keeps
// one loop per registered thread; windows add a filter (to see each message before
// it is dispatched) and an idle handler. The plug-in never runs a loop itself: the
// host pumps the thread's messages, so the hooks run only when something that owns
// the loop drives it through PreTranslateMessage and OnIdle.
#pragma once

#include <windows.h>

#include <vector>

class CMessageFilter {
 public:
  // True when the message was consumed and must not be dispatched.
  virtual BOOL PreTranslateMessage(MSG* msg) = 0;

 protected:
  ~CMessageFilter() = default;
};

class CIdleHandler {
 public:
  // True when the handler wants more idle time.
  virtual BOOL OnIdle() = 0;

 protected:
  ~CIdleHandler() = default;
};

class CMessageLoop {
 public:
  bool AddMessageFilter(CMessageFilter* filter);
  bool RemoveMessageFilter(CMessageFilter* filter);
  bool AddIdleHandler(CIdleHandler* handler);
  bool RemoveIdleHandler(CIdleHandler* handler);

  // Offers msg to the filters, the most recently added first; true when one of
  // them consumed it.
  BOOL PreTranslateMessage(MSG* msg);
  // Calls every idle handler; true when any of them wants more idle time.
  BOOL OnIdle();

  size_t FilterCount() const { return m_filters.size(); }
  size_t IdleHandlerCount() const { return m_idleHandlers.size(); }

 private:
  std::vector<CMessageFilter*> m_filters;
  std::vector<CIdleHandler*> m_idleHandlers;
};
