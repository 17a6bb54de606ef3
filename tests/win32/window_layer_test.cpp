// The window layer under the panel: the message loop's hook lists, the per-thread
// creation list and loop table, and taking an edit control over and letting go.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <thread>

#include "panel/win32/subclassed_window.h"
#include "panel/win32/app_module.h"
#include "panel/win32/message_loop.h"

namespace {

class RecordingFilter : public CMessageFilter {
 public:
  RecordingFilter(int* log, int tag, bool consume) : m_log(log), m_tag(tag), m_consume(consume) {}
  BOOL PreTranslateMessage(MSG*) override {
    *m_log = *m_log * 10 + m_tag;
    if (m_loop != nullptr) m_loop->RemoveMessageFilter(this);
    return m_consume;
  }
  CMessageLoop* m_loop = nullptr;  // set: removes itself when called

 private:
  int* m_log;
  int m_tag;
  bool m_consume;
};

TEST(MessageLoop, FiltersRunNewestFirstAndStopAtTheFirstThatConsumes) {
  CMessageLoop loop;
  int log = 0;
  RecordingFilter first(&log, 1, false), second(&log, 2, true), third(&log, 3, false);
  EXPECT_TRUE(loop.AddMessageFilter(&first));
  EXPECT_TRUE(loop.AddMessageFilter(&second));
  EXPECT_FALSE(loop.AddMessageFilter(&second));  // once only
  EXPECT_TRUE(loop.AddMessageFilter(&third));
  MSG msg = {};
  EXPECT_TRUE(loop.PreTranslateMessage(&msg));
  EXPECT_EQ(log, 32);  // third, then second consumed it; first never asked
}

TEST(MessageLoop, AFilterMayRemoveItselfWhileRunning) {
  CMessageLoop loop;
  int log = 0;
  RecordingFilter leaving(&log, 1, false), staying(&log, 2, false);
  leaving.m_loop = &loop;
  loop.AddMessageFilter(&staying);
  loop.AddMessageFilter(&leaving);
  MSG msg = {};
  EXPECT_FALSE(loop.PreTranslateMessage(&msg));
  EXPECT_FALSE(loop.PreTranslateMessage(&msg));
  EXPECT_EQ(log, 122);  // leaving ran once, staying twice
  EXPECT_EQ(loop.FilterCount(), 1u);
  EXPECT_FALSE(loop.RemoveMessageFilter(&leaving));
}

class RecordingIdleHandler : public CIdleHandler {
 public:
  explicit RecordingIdleHandler(bool wantMore) : m_wantMore(wantMore) {}
  BOOL OnIdle() override {
    ++calls;
    return m_wantMore;
  }
  int calls = 0;

 private:
  bool m_wantMore;
};

TEST(MessageLoop, IdleTimeGoesToEveryHandlerAndMoreIsWantedIfAnyWantsIt) {
  CMessageLoop loop;
  RecordingIdleHandler done(false), busy(true);
  EXPECT_FALSE(loop.OnIdle());  // nobody wants more
  EXPECT_TRUE(loop.AddIdleHandler(&busy));
  EXPECT_TRUE(loop.AddIdleHandler(&done));
  EXPECT_FALSE(loop.AddIdleHandler(&done));  // once only
  EXPECT_EQ(loop.IdleHandlerCount(), 2u);
  EXPECT_TRUE(loop.OnIdle());  // done had its turn as well
  EXPECT_TRUE(loop.RemoveIdleHandler(&busy));
  EXPECT_FALSE(loop.RemoveIdleHandler(&busy));
  EXPECT_FALSE(loop.OnIdle());
  EXPECT_EQ(done.calls, 2);
  EXPECT_EQ(busy.calls, 1);
}

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_module.Init()); }
  void TearDown() override { m_module.Term(); }
  AppModule m_module;
};

TEST_F(ModuleTest, EachThreadFindsOnlyItsOwnLoopAndCreations) {
  CMessageLoop mine, theirs;
  ASSERT_TRUE(m_module.AddMessageLoop(&mine));
  EXPECT_FALSE(m_module.AddMessageLoop(&theirs));  // one per thread
  int object = 0, otherObject = 0;
  WindowCreation entry, otherEntry;
  ASSERT_TRUE(m_module.AddWindowCreation(&entry, &object));

  CMessageLoop* seenByOther = &mine;
  void* extractedByOther = &object;
  std::thread other([&] {
    seenByOther = m_module.GetMessageLoop();
    extractedByOther = m_module.ExtractWindowCreation();
    m_module.AddWindowCreation(&otherEntry, &otherObject);
  });
  other.join();
  EXPECT_EQ(seenByOther, nullptr);
  EXPECT_EQ(extractedByOther, nullptr);

  EXPECT_EQ(m_module.GetMessageLoop(), &mine);
  EXPECT_EQ(m_module.ExtractWindowCreation(), &object);
  EXPECT_EQ(m_module.ExtractWindowCreation(), nullptr);  // the other thread's stays
  m_module.RemoveWindowCreation(&otherEntry);            // a creation that failed
  EXPECT_TRUE(m_module.RemoveMessageLoop());
  EXPECT_EQ(m_module.GetMessageLoop(), nullptr);
}

TEST(Module, TheThreadThatInitialisesItIsItsMainThread) {
  AppModule module;
  DWORD initialiser = 0;
  std::thread other([&] {
    initialiser = GetCurrentThreadId();
    module.Init();
  });
  other.join();
  EXPECT_EQ(module.MainThreadId(), initialiser);
  EXPECT_NE(module.MainThreadId(), GetCurrentThreadId());
  module.Term();
}

TEST(ModuleBeforeInit, AnswersNothingAndRegistersNothing) {
  AppModule module;
  CMessageLoop loop;
  WindowCreation entry;
  EXPECT_FALSE(module.AddMessageLoop(&loop));
  EXPECT_EQ(module.GetMessageLoop(), nullptr);
  EXPECT_FALSE(module.AddWindowCreation(&entry, &loop));
  module.Term();
}

// Turns every typed 'x' into 'y'; counts the final message.
class SwappingEdit : public SubclassedWindow {
 public:
  int finalMessages = 0;

 protected:
  bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT& result,
                            DWORD mapId) override {
    if (mapId != 0 || message != WM_CHAR || wParam != 'x') return false;
    result = SendMessageA(window, WM_CHAR, 'y', 1);
    return true;
  }
  void OnFinalMessage(HWND) override { ++finalMessages; }
};

std::string TextOf(HWND window) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

TEST(SubclassedWindow, HandsOverUnhandledMessagesAndLetsGoAtTheFinalMessage) {
  HWND edit = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  SwappingEdit object;
  ASSERT_TRUE(object.SubclassWindow(edit));
  SwappingEdit second;
  EXPECT_FALSE(second.SubclassWindow(edit));  // one object per window

  SendMessageA(edit, WM_CHAR, 'a', 1);
  SendMessageA(edit, WM_CHAR, 'x', 1);
  EXPECT_EQ(TextOf(edit), "ay");

  DestroyWindow(edit);
  EXPECT_EQ(object.Handle(), nullptr);
  EXPECT_EQ(object.finalMessages, 1);
}

TEST(SubclassedWindow, AnObjectGoingFirstPutsTheOriginalProcedureBack) {
  HWND edit = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  const LONG_PTR original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
  {
    SwappingEdit object;
    ASSERT_TRUE(object.SubclassWindow(edit));
    EXPECT_NE(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
  }
  EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
  SendMessageA(edit, WM_CHAR, 'x', 1);  // no object in the way any more
  EXPECT_EQ(TextOf(edit), "x");
  DestroyWindow(edit);
}

// A window of a class of this test's own. Its procedure answers WM_APP with a result
// that needs every bit of an LRESULT (the top one set, so that a result cut to 32 bits
// and widened again differs), and counts its final messages.
int g_ownFinalMessages = 0;
const LRESULT kWideResult =
    static_cast<LRESULT>(static_cast<uintptr_t>(UINT64_C(0x8123456789ABCDEF)));

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) return kWideResult;
  if (message == WM_NCDESTROY) ++g_ownFinalMessages;
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateOwnWindow() {
  static const ATOM windowClass = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &OwnProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GridwellLayerTestWindow";
    return RegisterClassA(&wc);
  }();
  if (windowClass == 0) return nullptr;
  return CreateWindowExA(0, "GridwellLayerTestWindow", "", WS_POPUP, 0, 0, 100, 20, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Counts every message offered to it and handles none.
class CountingWindow : public SubclassedWindow {
 public:
  int offered = 0;

 protected:
  bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) override {
    ++offered;
    return false;
  }
};

TEST(SubclassedWindow, TheWindowsOwnProcedureAnswersInFullAndSeesItsFinalMessage) {
  HWND window = CreateOwnWindow();
  ASSERT_NE(window, nullptr);
  CountingWindow object;
  ASSERT_TRUE(object.SubclassWindow(window));
  EXPECT_EQ(SendMessageA(window, WM_APP, 0, 0), kWideResult);
  EXPECT_GT(object.offered, 0);

  g_ownFinalMessages = 0;
  DestroyWindow(window);
  EXPECT_EQ(g_ownFinalMessages, 1);
  EXPECT_EQ(object.Handle(), nullptr);
}

// Once a window is gone the system may give its handle to a new window, whose messages
// then reach the window procedure with the old value. The object that had the old
// window must have let go of that value at the final message: a message with it
// reaches no object.
TEST(SubclassedWindow, AHandleSeenAgainAfterTheFinalMessageReachesNoObject) {
  HWND window = CreateOwnWindow();
  ASSERT_NE(window, nullptr);
  CountingWindow object;
  ASSERT_TRUE(object.SubclassWindow(window));
  const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  DestroyWindow(window);

  object.offered = 0;
  CallWindowProcA(procedure, window, WM_CHAR, 'x', 1);
  EXPECT_EQ(object.offered, 0);
}

}  // namespace
