// Gridwell.dll's load and unload as seen by the thread that loads it: the library
// takes COM for that thread at load and gives back exactly what it took at unload,
// whatever the thread held before. A host's thread that had COM keeps it with its own
// count of references; a thread that had none has none again. And the host's last
// FreeLibrary unloads the module, after a station's whole life as well.
//
// Each case runs on a thread of its own, which starts without COM, and loads and
// unloads the DLL there. Nothing else in this program holds the DLL, so every load
// and every unload runs the library's entry routine.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <objbase.h>

#include <thread>

#include "host/stand_in_host.h"
#include "plugin/event_dispatch.h"

namespace {

// How the calling thread's apartment stands, asked by entering the multithreaded one:
// a thread without COM enters it (S_OK), a thread in it already counts one reference
// more (S_FALSE), a thread in a single-threaded apartment is refused
// (RPC_E_CHANGED_MODE). The reference the question took is given back.
HRESULT Apartment() {
  const HRESULT answer = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(answer)) CoUninitialize();
  return answer;
}

constexpr DWORD kNoCom = ~DWORD{0};

// Dispatches the messages waiting on this thread, as a host's loop does between calls.
void DispatchWaitingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// What the thread's apartment was at three moments of the DLL's life on it.
struct Seen {
  bool ready = false;  // the thread entered its apartment and the DLL loaded
  HRESULT whileLoaded = E_FAIL;
  HRESULT afterUnload = E_FAIL;
  HRESULT afterOwnRelease = E_FAIL;  // once the thread gave back its own reference
};

// On a new thread: enter the given apartment (or none), load and unload the DLL, then
// give back the thread's own reference.
Seen LoadAndUnloadOnAThread(DWORD apartment) {
  Seen seen;
  std::thread thread([&] {
    const bool own = apartment != kNoCom;
    if (own && CoInitializeEx(nullptr, apartment) != S_OK) return;
    HMODULE module = LoadLibraryA(GRIDWELL_PLUGIN_PATH);
    seen.ready = module != nullptr;
    if (module != nullptr) {
      seen.whileLoaded = Apartment();
      FreeLibrary(module);
      seen.afterUnload = Apartment();
    }
    if (own) CoUninitialize();
    seen.afterOwnRelease = Apartment();
  });
  thread.join();
  return seen;
}

TEST(DllLoad, AThreadWithoutComIsInTheLibrarysApartmentUntilUnloadAndThenInNone) {
  const Seen seen = LoadAndUnloadOnAThread(kNoCom);
  ASSERT_TRUE(seen.ready) << "cannot load " GRIDWELL_PLUGIN_PATH;
  EXPECT_EQ(seen.whileLoaded, RPC_E_CHANGED_MODE);  // single-threaded, the library's
  EXPECT_EQ(seen.afterUnload, S_OK);                // and gone with the library
}

// The library's CoInitialize answers S_FALSE ("already initialised") here. That is a
// reference too: unless the library gives it back, the thread stays in the apartment
// after the host has let go of its own.
TEST(DllLoad, AThreadAlreadyInASingleThreadedApartmentLeavesItWithItsOwnRelease) {
  const Seen seen = LoadAndUnloadOnAThread(COINIT_APARTMENTTHREADED);
  ASSERT_TRUE(seen.ready) << "cannot load " GRIDWELL_PLUGIN_PATH;
  EXPECT_EQ(seen.whileLoaded, RPC_E_CHANGED_MODE);
  EXPECT_EQ(seen.afterUnload, RPC_E_CHANGED_MODE);  // the host's apartment is still there
  EXPECT_EQ(seen.afterOwnRelease, S_OK);
}

// The library's CoInitialize is refused here (RPC_E_CHANGED_MODE) and takes nothing:
// uninitialising at unload would take the host's own reference and end its COM.
TEST(DllLoad, AThreadInTheMultithreadedApartmentKeepsItsComThroughTheUnload) {
  const Seen seen = LoadAndUnloadOnAThread(COINIT_MULTITHREADED);
  ASSERT_TRUE(seen.ready) << "cannot load " GRIDWELL_PLUGIN_PATH;
  EXPECT_EQ(seen.whileLoaded, S_FALSE);
  EXPECT_EQ(seen.afterUnload, S_FALSE);
  EXPECT_EQ(seen.afterOwnRelease, S_OK);
}

// A modeller unloads a plug-in to replace it or to take back its memory. After the
// host's last FreeLibrary the module must be gone, whatever the station did while it
// was loaded (a module that took a reference on itself would stay, and its entry
// routine would never see the detach), and loading it again must run its entry
// routine afresh. That routine takes COM for the loading thread, which is how the
// test sees it run, and gives it back at the detach.
TEST(DllLoad, AfterTheLastFreeLibraryTheModuleIsGoneAndLoadingItAgainAttachesAfresh) {
  struct Life {
    bool started = false;
    HRESULT whileLoaded = E_FAIL;
    bool goneAfterUnload = false;
    HRESULT afterUnload = E_FAIL;
  };
  Life lives[2];
  std::thread thread([&] {
    for (Life& life : lives) {
      HMODULE module = LoadLibraryA(GRIDWELL_PLUGIN_PATH);
      if (module == nullptr) return;
      life.whileLoaded = Apartment();
      auto init = reinterpret_cast<int (*)(const char*)>(
          reinterpret_cast<void*>(GetProcAddress(module, "MQInit")));
      auto onEvent = reinterpret_cast<int (*)(MQDocument, int, void*)>(
          reinterpret_cast<void*>(GetProcAddress(module, "MQOnEvent")));
      if (init != nullptr && onEvent != nullptr && init(GRIDWELL_HOSTAPI_PATH) == 1) {
        standin::Document& doc = standin::Host::Instance().Reset();
        doc.currentObject = doc.AddObject("o", {{1, 2, 3}});
        doc.SelectAllVertices(doc.currentObject);
        int shown = 1;
        life.started = onEvent(doc.Handle(), event::kStart, nullptr) == 1 &&
                       onEvent(doc.Handle(), event::kShow, &shown) == 1;
        DispatchWaitingMessages();
        onEvent(doc.Handle(), event::kStop, nullptr);
        DispatchWaitingMessages();
      }
      FreeLibrary(module);
      life.goneAfterUnload = GetModuleHandleA(GRIDWELL_PLUGIN_PATH) == nullptr;
      life.afterUnload = Apartment();
    }
  });
  thread.join();
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i == 0 ? "first load" : "second load");
    ASSERT_TRUE(lives[i].started) << "cannot load " GRIDWELL_PLUGIN_PATH " and start the station";
    EXPECT_EQ(lives[i].whileLoaded, RPC_E_CHANGED_MODE);  // the entry routine's apartment
    EXPECT_TRUE(lives[i].goneAfterUnload);
    EXPECT_EQ(lives[i].afterUnload, S_OK);  // the detach gave it back
  }
}

}  // namespace
