// Gridwell.dll's load and unload as seen by the thread that loads it: the library
// takes COM for that thread at load and gives back exactly what it took at unload,
// whatever the thread held before. A host's thread that had COM keeps it with its own
// count of references; a thread that had none has none again.
//
// Each case runs on a thread of its own, which starts without COM, and loads and
// unloads the DLL there. Nothing else in this program holds the DLL, so every load
// and every unload runs the library's entry routine.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <objbase.h>

#include <thread>

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

}  // namespace
