// Starting, showing, stopping the station, and which document events refresh the
// readouts, on the stand-in host with the headless panel.
#include <gtest/gtest.h>

#include <string>

#include "host/stand_in_host.h"
#include "panel/control_ids.h"
#include "panel/headless/headless_panel.h"
#include "plugin/entry_points.h"
#include "plugin/gridshift_plugin.h"

namespace {

class StationLifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_ = &standin::Host::Instance().Reset();
    ASSERT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
    // One selected vertex, so that a refresh shows in the centre fields.
    const int object = doc_->AddObject("o", {{1, 2, 3}, {5, 5, 5}}, {});
    doc_->SelectVertex(object, 0);
    doc_->currentObject = object;
  }
  void TearDown() override { Event(2); }

  int Event(int code, void* arg = nullptr) { return MQOnEvent(doc_->Handle(), code, arg); }
  int Show(int flag) { return Event(100, &flag); }

  std::string Text(int id) {
    char text[256] = {};
    if (HeadlessPanel* panel = HeadlessPanel::Current()) panel->GetText(id, text, sizeof text);
    return text;
  }
  int Refreshes() { return standin::Host::Instance().CallsTo("MQDoc_GetGlobalInverseMatrix"); }

  standin::Document* doc_ = nullptr;
};

TEST_F(StationLifecycle, StartMakesOneHiddenTopmostPanelWithTidyFieldsAndABuffer) {
  ASSERT_EQ(Event(1), 1);
  HeadlessPanel* panel = HeadlessPanel::Current();
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->IsVisible());
  EXPECT_TRUE(panel->IsTopmost());
  // Owned by the main window, by the very handle the host gave (whole, on a 64-bit
  // build with its bits above 4 GiB).
  EXPECT_EQ(panel->Owner(), standin::Host::Instance().WindowHandle());
  EXPECT_EQ(g_plugin.m_selectionCapacity, kInitialSelectionCapacity);
  EXPECT_NE(g_plugin.m_selection, nullptr);
  EXPECT_TRUE(g_plugin.m_refreshEnabled);
  for (int id : {ctl::kMoveX, ctl::kMoveZ, ctl::kRotateY, ctl::kStoredX, ctl::kStoredZ}) {
    EXPECT_EQ(Text(id), "0.000") << id;
  }
  EXPECT_EQ(Text(ctl::kCentreX), "");  // no refresh yet

  EXPECT_EQ(Event(1), 1);
  EXPECT_EQ(HeadlessPanel::Current(), panel);
}

TEST_F(StationLifecycle, StopThenStartResetsTheStoredPointButKeepsTheFrameSlots) {
  ASSERT_EQ(Event(1), 1);
  g_plugin.m_frameSlots[1][5] = 2.5f;
  ASSERT_EQ(Show(1), 1);
  g_plugin.RunStationOperation(&GridshiftPlugin::CopyToStoredPoint);
  EXPECT_EQ(Text(ctl::kStoredY), "2.000");

  EXPECT_EQ(Event(2), 1);
  EXPECT_EQ(g_plugin.m_panel, nullptr);
  EXPECT_EQ(g_plugin.m_selection, nullptr);
  EXPECT_EQ(g_plugin.m_selectionCapacity, 0);
  EXPECT_EQ(Event(101), 0);

  ASSERT_EQ(Event(1), 1);
  EXPECT_EQ(Text(ctl::kStoredY), "0.000");
  EXPECT_EQ(g_plugin.m_storedPoint.y, 0.0f);
  EXPECT_EQ(g_plugin.m_frameSlots[1][5], 2.5f);
  g_plugin.m_frameSlots[1][5] = 0;
}

TEST_F(StationLifecycle, ShowAndHideBothRefreshAndReportTheFlag) {
  ASSERT_EQ(Event(1), 1);
  EXPECT_EQ(Show(7), 1);
  EXPECT_TRUE(HeadlessPanel::Current()->IsVisible());
  EXPECT_EQ(Event(101), 1);
  EXPECT_EQ(Text(ctl::kCentreX), "1.000");

  doc_->ClearSelection();
  doc_->SelectVertex(0, 1);
  EXPECT_EQ(Show(0), 0);
  EXPECT_FALSE(HeadlessPanel::Current()->IsVisible());
  EXPECT_EQ(Event(101), 0);
  EXPECT_EQ(Text(ctl::kCentreX), "5.000");
}

TEST_F(StationLifecycle, WithoutAPanelNothingShowsOrRefreshes) {
  EXPECT_EQ(Show(1), 0);
  EXPECT_EQ(Event(101), 0);
  EXPECT_EQ(Event(210), 0);
  EXPECT_EQ(Event(211), 0);
  EXPECT_EQ(Event(220), 1);
  EXPECT_EQ(Event(221), 1);
  EXPECT_EQ(Event(222), 1);
  EXPECT_EQ(standin::Host::Instance().CallsTo("MQDoc_GetObjectCount"), 0);

  ASSERT_EQ(Event(1), 1);
  ASSERT_EQ(Event(2), 1);
  EXPECT_EQ(Event(210), 0);
  EXPECT_EQ(Event(221), 1);
  EXPECT_EQ(standin::Host::Instance().CallsTo("MQDoc_GetObjectCount"), 0);
}

TEST_F(StationLifecycle, DocumentEventsTwoTwentyOnwardRefreshOnlyWhileEnabled) {
  ASSERT_EQ(Event(1), 1);
  HeadlessPanel::Current()->SetText(ctl::kMoveX, "7");  // a typed vector outlives them all
  const int before = Refreshes();
  EXPECT_EQ(Event(210), 0);
  EXPECT_EQ(Event(211), 0);
  EXPECT_EQ(Event(220), 1);
  EXPECT_EQ(Event(221), 1);
  EXPECT_EQ(Event(222), 1);
  EXPECT_EQ(Refreshes(), before + 5);
  EXPECT_EQ(Text(ctl::kCentreZ), "3.000");
  EXPECT_EQ(Text(ctl::kMoveX), "7");

  // As while a move writes vertices.
  g_plugin.m_refreshEnabled = false;
  EXPECT_EQ(Event(220), 1);
  EXPECT_EQ(Event(221), 1);
  EXPECT_EQ(Event(222), 1);
  EXPECT_EQ(Refreshes(), before + 5);
  EXPECT_EQ(Event(210), 0);
  EXPECT_EQ(Refreshes(), before + 6);
  g_plugin.m_refreshEnabled = true;

  // Event 212 never refreshes.
  EXPECT_EQ(Event(212), 1);
  EXPECT_EQ(Refreshes(), before + 6);
}

TEST_F(StationLifecycle, AFailedWindowCreationHoldsNothingAndCanBeRetried) {
  HeadlessPanel::FailNextCreation();
  EXPECT_EQ(Event(1), 0);
  EXPECT_EQ(g_plugin.m_panel, nullptr);
  EXPECT_EQ(g_plugin.m_selection, nullptr);
  EXPECT_EQ(HeadlessPanel::Current(), nullptr);
  EXPECT_EQ(Event(101), 0);
  EXPECT_EQ(Event(210), 0);

  EXPECT_EQ(Event(1), 1);
  EXPECT_NE(g_plugin.m_panel, nullptr);
}

TEST_F(StationLifecycle, TheCloseBoxHidesClearsShownAndTellsTheHost) {
  ASSERT_EQ(Event(1), 1);
  ASSERT_EQ(Show(1), 1);
  HeadlessPanel* panel = HeadlessPanel::Current();
  panel->Command(ctl::kHideCommand, 0);
  EXPECT_FALSE(panel->IsVisible());
  EXPECT_EQ(Event(101), 1);  // the plain hide leaves the station shown
  EXPECT_TRUE(standin::Host::Instance().sentMessages.empty());

  ASSERT_EQ(Show(1), 1);
  panel->Command(ctl::kCloseCommand, 0);
  EXPECT_FALSE(panel->IsVisible());
  EXPECT_EQ(Event(101), 0);
  const auto& sent = standin::Host::Instance().sentMessages;
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].message, 100);
  EXPECT_EQ(sent[0].record.product, kProductId);
  EXPECT_EQ(sent[0].record.id, kPluginId);
  EXPECT_EQ(sent[0].record.index, 0);
  EXPECT_EQ(sent[0].option, 0);
}

}  // namespace
