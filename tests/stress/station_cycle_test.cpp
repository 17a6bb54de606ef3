// The station's whole life, over and over: every cycle starts the station, shows the
// panel, runs operations and host events, and stops it. Whatever a cycle allocates it
// must give back; the allocations still live are counted across the run.
#include <gtest/gtest.h>

#include "host/stand_in_host.h"
#include "panel/control_ids.h"
#include "tests/support/probed_panel.h"
#include "plugin/entry_points.h"
#include "plugin/gridshift_plugin.h"
#include "tests/support/counting_allocator.h"

namespace {

constexpr int kCycles = 10000;

// One life of the station on doc.
void RunCycle(standin::Document& doc) {
  ASSERT_EQ(MQOnEvent(doc.Handle(), 1, nullptr), 1);
  int shown = 1;
  MQOnEvent(doc.Handle(), 100, &shown);
  HeadlessPanel* panel = HeadlessPanel::Current();
  ASSERT_NE(panel, nullptr);
  panel->SetText(ctl::kMoveX, "0.5");
  panel->SetText(ctl::kRotateZ, "90");
  panel->Click(ctl::kMove);
  panel->Click(ctl::kLocal);
  panel->Click(ctl::kRotate);
  panel->Click(ctl::kCopy);
  panel->Click(ctl::kAlignStoredY);
  panel->Click(ctl::kSetLocalFrame);
  panel->Click(ctl::kStoreFrame1);
  panel->Click(ctl::kLoadFrame1);
  MQOnEvent(doc.Handle(), 210, nullptr);
  MQOnEvent(doc.Handle(), 220, nullptr);
  panel->Click(ctl::kGlobal);
  MQOnEvent(doc.Handle(), 2, nullptr);
}

TEST(StationCycle, TenThousandLivesLeaveNoAllocationBehind) {
  standin::Document& doc = standin::Host::Instance().Reset();
  ASSERT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
  const int grid = doc.AddObject("grid", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 2, 2}},
                                 {{0, 1, 2, 3}, {3, 4}});
  doc.SelectFace(grid, 0);
  doc.SelectLine(grid, 1, 0);
  doc.SetGlobalMatrix(grid, standin::Translation(1, 2, 3));
  doc.currentObject = grid;

  // The first life may make what lives on (the C library's own buffers and the like).
  RunCycle(doc);
  const long liveAfterFirst = counting_allocator::live;
  for (int i = 1; i < kCycles && !HasFatalFailure(); ++i) RunCycle(doc);
  EXPECT_EQ(counting_allocator::live, liveAfterFirst)
      << "allocations left behind by " << kCycles - 1 << " cycles";
  EXPECT_EQ(ProbedPanel::Current(), nullptr);
  EXPECT_EQ(g_plugin.Selection().m_selection, nullptr);
  EXPECT_EQ(standin::Host::Instance().editsOutsideCallback, 0);
}

}  // namespace
