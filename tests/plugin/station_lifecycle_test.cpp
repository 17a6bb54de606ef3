// Starting, showing, stopping the station, and which document events refresh the
// readouts, on the stand-in host with the headless panel.
#include <gtest/gtest.h>

#include <string>

#include "host/stand_in_host.h"
#include "panel/control_ids.h"
#include "panel/layout.h"
#include "plugin/entry_points.h"
#include "plugin/gridshift_plugin.h"
#include "tests/support/probed_panel.h"

namespace {

class StationLifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    NewDocument();
    ASSERT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
  }
  // One selected vertex, so that a refresh shows in the centre fields.
  void NewDocument() {
    doc_ = &standin::Host::Instance().Reset();
    const int object = doc_->AddObject("o", {{1, 2, 3}, {5, 5, 5}}, {});
    doc_->SelectVertex(object, 0);
    doc_->currentObject = object;
  }
  void TearDown() override { Event(2); }

  int Event(int code, void* arg = nullptr) { return MQOnEvent(doc_->Handle(), code, arg); }
  int Show(int flag) { return Event(100, &flag); }

  std::string Text(int id) {
    char text[256] = {};
    if (ProbedPanel* panel = ProbedPanel::Current()) panel->GetText(id, text, sizeof text);
    return text;
  }
  int Refreshes() { return standin::Host::Instance().CallsTo("MQDoc_GetGlobalInverseMatrix"); }
  static long HostCalls() {
    long total = 0;
    for (int count : standin::Host::Instance().calls) total += count;
    return total;
  }

  // Everything a person or the host can do to a started, shown station after a
  // binding that failed. None of it may call the host: the table may point into a
  // module that is gone. Answers as the events answer without a host.
  void PressEverythingWithoutAHost() {
    ProbedPanel* panel = ProbedPanel::Current();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->IsVisible());
    for (const ControlSpec& control : kPanelControls) {
      if (!IsButton(control.kind)) continue;
      panel->Click(control.id);
      // Reaches the hidden button and the disabled paste buttons too.
      panel->Command(control.id, 0);
    }
    for (int field :
         {ctl::kMoveX, ctl::kMoveY, ctl::kMoveZ, ctl::kRotateX, ctl::kRotateY, ctl::kRotateZ}) {
      panel->Type(field, '\r');
    }
    panel->Click(ctl::kCentreX);  // Return on a read-only field presses the default button
    panel->PressKey(0x0D);
    int flag = 1;
    EXPECT_EQ(Event(1), 0);
    EXPECT_EQ(Event(100, &flag), 0);
    EXPECT_EQ(Event(210), 0);
    EXPECT_EQ(Event(211), 0);
    for (int code : {220, 221, 222}) EXPECT_EQ(Event(code), 1) << code;
    panel->PressKey(0x1B);  // Escape: the close box
    EXPECT_FALSE(panel->IsVisible());
    panel->Command(ctl::kHideCommand, 0);
    panel->Command(ctl::kCloseCommand, 0);
  }

  standin::Document* doc_ = nullptr;
};

TEST_F(StationLifecycle, StartMakesOneHiddenTopmostPanelWithTidyFieldsAndABuffer) {
  ASSERT_EQ(Event(1), 1);
  ProbedPanel* panel = ProbedPanel::Current();
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->IsVisible());
  EXPECT_TRUE(panel->IsTopmost());
  // Owned by the main window, by the very handle the host gave (whole, on a 64-bit
  // build with its bits above 4 GiB).
  EXPECT_EQ(panel->Owner(), standin::Host::Instance().WindowHandle());
  EXPECT_EQ(g_plugin.Selection().m_selectionCapacity, kInitialSelectionCapacity);
  EXPECT_NE(g_plugin.Selection().m_selection, nullptr);
  EXPECT_TRUE(g_plugin.RefreshEnabled());
  for (int id : {ctl::kMoveX, ctl::kMoveZ, ctl::kRotateY, ctl::kStoredX, ctl::kStoredZ}) {
    EXPECT_EQ(Text(id), "0.000") << id;
  }
  EXPECT_EQ(Text(ctl::kCentreX), "");  // no refresh yet

  EXPECT_EQ(Event(1), 1);
  EXPECT_EQ(ProbedPanel::Current(), panel);
}

TEST_F(StationLifecycle, StopThenStartResetsTheStoredPointButKeepsTheFrameSlots) {
  ASSERT_EQ(Event(1), 1);
  float frame[16] = {};
  frame[5] = 2.5f;
  ASSERT_TRUE(doc_->SetFloatArray(0, kLocalFrameArray, frame));
  g_plugin.RunStationOperation(&GridshiftPlugin::StoreLocalFrame2);
  ASSERT_EQ(Show(1), 1);
  g_plugin.RunStationOperation(&GridshiftPlugin::CopyToStoredPoint);
  EXPECT_EQ(Text(ctl::kStoredY), "2.000");

  EXPECT_EQ(Event(2), 1);
  EXPECT_EQ(ProbedPanel::Current(), nullptr);
  EXPECT_EQ(g_plugin.Selection().m_selection, nullptr);
  EXPECT_EQ(g_plugin.Selection().m_selectionCapacity, 0);
  EXPECT_EQ(Event(101), 0);

  ASSERT_EQ(Event(1), 1);
  EXPECT_EQ(Text(ctl::kStoredY), "0.000");
  EXPECT_EQ(g_plugin.StoredPoint().y, 0.0f);
  const float zeros[16] = {};
  ASSERT_TRUE(doc_->SetFloatArray(0, kLocalFrameArray, zeros));
  g_plugin.RunStationOperation(&GridshiftPlugin::LoadLocalFrame2);
  EXPECT_EQ(doc_->ObjectAt(0)->localFrame[5], 2.5f);
  // Slot 2 back to the zeros it had at load, for the tests after this one.
  g_plugin.RunStationOperation(&GridshiftPlugin::StoreLocalFrame2);
}

TEST_F(StationLifecycle, ShowAndHideBothRefreshAndReportTheFlag) {
  ASSERT_EQ(Event(1), 1);
  EXPECT_EQ(Show(7), 1);
  EXPECT_TRUE(ProbedPanel::Current()->IsVisible());
  EXPECT_EQ(Event(101), 1);
  EXPECT_EQ(Text(ctl::kCentreX), "1.000");

  doc_->ClearSelection();
  doc_->SelectVertex(0, 1);
  EXPECT_EQ(Show(0), 0);
  EXPECT_FALSE(ProbedPanel::Current()->IsVisible());
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
  ProbedPanel::Current()->SetText(ctl::kMoveX, "7");  // a typed vector outlives them all
  const int before = Refreshes();
  EXPECT_EQ(Event(210), 0);
  EXPECT_EQ(Event(211), 0);
  EXPECT_EQ(Event(220), 1);
  EXPECT_EQ(Event(221), 1);
  EXPECT_EQ(Event(222), 1);
  EXPECT_EQ(Refreshes(), before + 5);
  EXPECT_EQ(Text(ctl::kCentreZ), "3.000");
  EXPECT_EQ(Text(ctl::kMoveX), "7");

  // Events the host delivers while a move is under way (here while it reads the
  // current object's frame): only 210 and 211 refresh.
  int duringTheMove = 0;
  standin::Host::Instance().whileReadingTheFrame = [&] {
    ++duringTheMove;
    EXPECT_FALSE(g_plugin.RefreshEnabled());
    const int at = Refreshes();
    EXPECT_EQ(Event(220), 1);
    EXPECT_EQ(Event(221), 1);
    EXPECT_EQ(Event(222), 1);
    EXPECT_EQ(Refreshes(), at);
    EXPECT_EQ(Event(210), 0);
    EXPECT_EQ(Refreshes(), at + 1);
  };
  g_plugin.RunStationOperation(&GridshiftPlugin::MoveSelection);
  standin::Host::Instance().whileReadingTheFrame = nullptr;
  EXPECT_EQ(duringTheMove, 1);
  EXPECT_TRUE(g_plugin.RefreshEnabled());
  EXPECT_EQ(Text(ctl::kCentreX), "8.000");  // refreshed at the end of the move

  // Event 212 never refreshes.
  const int after = Refreshes();
  EXPECT_EQ(Event(212), 1);
  EXPECT_EQ(Refreshes(), after);
}

TEST_F(StationLifecycle, AFailedWindowCreationHoldsNothingAndCanBeRetried) {
  ProbedPanel::FailNextCreation();
  EXPECT_EQ(Event(1), 0);
  EXPECT_EQ(g_plugin.Selection().m_selection, nullptr);
  EXPECT_EQ(ProbedPanel::Current(), nullptr);
  EXPECT_EQ(Event(101), 0);
  EXPECT_EQ(Event(210), 0);

  EXPECT_EQ(Event(1), 1);
  EXPECT_NE(ProbedPanel::Current(), nullptr);
}

TEST_F(StationLifecycle, TheCloseBoxHidesClearsShownAndTellsTheHost) {
  ASSERT_EQ(Event(1), 1);
  ASSERT_EQ(Show(1), 1);
  ProbedPanel* panel = ProbedPanel::Current();
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

// A second MQInit that fails, after one that succeeded, leaves the table unbound:
// whether the module could not be loaded (the entries still point into the first
// host) or lacked a name (they now point into a module already released).
TEST_F(StationLifecycle, AfterAFailedRebindingNoButtonKeyOrEventReachesTheHost) {
  for (const char* failing : {"no-such-module-here.dll", GRIDWELL_INCOMPLETE_HOST_PATH}) {
    SCOPED_TRACE(failing);
    ASSERT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
    ASSERT_EQ(Event(1), 1);
    int shown = 1;
    ASSERT_EQ(Event(100, &shown), 1);
    ProbedPanel::Current()->SetText(ctl::kMoveX, "1");
    // While bound, a button reaches the host: what is counted below can change.
    long calls = HostCalls();
    ProbedPanel::Current()->Click(ctl::kMove);
    ASSERT_GT(HostCalls(), calls);
    const standin::Vertex moved = doc_->VertexAt(0, 0);
    ASSERT_EQ(moved, (standin::Vertex{2, 2, 3}));

    ASSERT_EQ(MQInit(failing), 0);
    calls = HostCalls();
    PressEverythingWithoutAHost();
    EXPECT_EQ(HostCalls(), calls);
    EXPECT_EQ(doc_->VertexAt(0, 0), moved);
    EXPECT_TRUE(standin::Host::Instance().sentMessages.empty());
    EXPECT_EQ(Event(101), 0);  // the close box still hid the station

    // A binding that succeeds again brings it all back.
    ASSERT_EQ(MQInit(GRIDWELL_HOSTAPI_PATH), 1);
    calls = HostCalls();
    EXPECT_EQ(Event(210), 0);
    EXPECT_GT(HostCalls(), calls);
    EXPECT_EQ(Event(2), 1);
    NewDocument();
  }
}

}  // namespace
