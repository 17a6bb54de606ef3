// Faces around 64 points, in the plug-in as a host loads it. The plug-in reads a
// face's points into room it keeps between faces: up to 64 points inside its own
// object, more on the heap. A face one point too large for the inline room, taken as
// fitting, would put its last index over what follows that room, and nothing would
// show at the read: the damage shows when the heap room grows or is released. So the
// faces of 64, 65 and 66 points come first, a larger face after them in the same
// document, every point of each is read back through a move, and then the station is
// stopped and the module unloaded, which releases what it kept. The same test runs in
// the sanitize build and with each Windows edition.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/plugin_module.h"
#include "host/stand_in_host.h"
#include "panel/control_ids.h"
#include "panel/panel_driver.h"
#include "plugin/event_dispatch.h"

#ifdef _WIN32
#include "host/host_window_win32.h"
#include "host/win32_panel_driver.h"
#endif

namespace {

// The plug-in's panel, driven as a person would: the real dialog on Windows, the
// headless panel that the shared library exports natively.
class Panel {
 public:
  explicit Panel(const standin::PluginModule& plugin) {
#ifdef _WIN32
    (void)plugin;
    driver_ = CreateWin32PanelDriver();
    owned_ = true;
#else
    using DriverExport = PanelDriver* (*)();
    auto find = reinterpret_cast<DriverExport>(plugin.FindSymbol("GridwellPanelDriver"));
    driver_ = find != nullptr ? find() : nullptr;
#endif
  }
  ~Panel() {
    if (owned_) delete driver_;
  }
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  PanelDriver* operator->() { return driver_; }
  bool Exists() { return driver_ != nullptr && driver_->Exists(); }

 private:
  PanelDriver* driver_ = nullptr;
  bool owned_ = false;
};

void PumpMessages() {
#ifdef _WIN32
  standin::PumpHostMessages();
#endif
}

TEST(LargeFaces, FacesAroundTheInlineRoomAreReadWholeUntilTheModuleIsUnloaded) {
  standin::Document& doc = standin::Host::Instance().Reset();
  standin::PluginModule plugin;
  std::string error;
  ASSERT_TRUE(plugin.Load(GRIDWELL_PLUGIN_PATH, &error)) << error;
  const standin::PluginExports& dll = plugin.exports();
  ASSERT_EQ(dll.MQInit(standin::HostModulePath()), 1);

  // Each face has vertices of its own, so the last index of every face is far from 0
  // and a move of one face moves no vertex of another. Coordinates and moves are small
  // integers: every position is exact.
  const int sizes[] = {64, 65, 66, 200};
  const int o = doc.AddObject("rings");
  std::vector<standin::Vertex> start;
  std::vector<int> faceOf;
  for (int f = 0; f < 4; ++f) {
    std::vector<int> ring;
    for (int i = 0; i < sizes[f]; ++i) {
      const standin::Vertex v = {static_cast<float>(i), static_cast<float>(f),
                                 static_cast<float>(i % 7)};
      ring.push_back(doc.AddVertex(o, v.x, v.y, v.z));
      start.push_back(v);
      faceOf.push_back(f);
    }
    ASSERT_EQ(doc.AddFace(o, ring), f);
  }
  doc.currentObject = o;

  ASSERT_EQ(dll.MQOnEvent(doc.Handle(), event::kStart, nullptr), 1);
  int shown = 1;
  dll.MQOnEvent(doc.Handle(), event::kShow, &shown);
  PumpMessages();
  {
    Panel panel(plugin);
    ASSERT_TRUE(panel.Exists()) << "no panel";
    // Face f moves by (0, 0, 10 (f + 1)), one face at a time, with the document read
    // again for each (the moves, and the refreshes after them).
    for (int f = 0; f < 4; ++f) {
      SCOPED_TRACE(::testing::Message() << "after moving the face of " << sizes[f] << " points");
      doc.ClearSelection();
      doc.SelectFace(o, f);
      panel->SetText(ctl::kMoveX, "0");
      panel->SetText(ctl::kMoveY, "0");
      panel->SetText(ctl::kMoveZ, std::to_string(10 * (f + 1)).c_str());
      ASSERT_TRUE(panel->Click(ctl::kMove));
      PumpMessages();
      int wrong = 0;
      for (int v = 0; v < static_cast<int>(start.size()); ++v) {
        standin::Vertex want = start[v];
        if (faceOf[v] <= f) want.z += static_cast<float>(10 * (faceOf[v] + 1));
        if (doc.VertexAt(o, v) == want) continue;
        if (++wrong <= 5)
          ADD_FAILURE() << "vertex " << v << " of the face of " << sizes[faceOf[v]] << " points";
      }
      EXPECT_EQ(wrong, 0);
    }
  }

  dll.MQOnEvent(doc.Handle(), event::kStop, nullptr);
  PumpMessages();
  plugin.Unload();  // releases the room kept for large faces
  EXPECT_EQ(standin::Host::Instance().editsOutsideCallback, 0);
}

}  // namespace
