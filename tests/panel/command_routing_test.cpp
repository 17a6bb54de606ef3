// Carrying out a command or a typed character, the code both panels call: what each
// command runs in the document and asks of the panel, and what Return runs in the
// move and rotation fields. The panel here only records what it is asked to do.
#include "panel/command_routing.h"

#include <string>
#include <vector>

#include "panel/layout.h"
#include "tests/geometry/station_fixture.h"

namespace {

class RecordingPanel final : public PanelCommandTarget {
 public:
  void HidePanel() override { requests.push_back("hide"); }
  void SetPasteButtonsEnabled(bool enabled) override {
    requests.push_back(enabled ? "paste on" : "paste off");
  }
  std::vector<std::string> requests;
};

class CommandRoutingTest : public StationTest {
 protected:
  standin::Host& host() { return standin::Host::Instance(); }
  int Callbacks() { return host().stationCallbacks; }

  RecordingPanel recorder_;
  using Requests = std::vector<std::string>;
};

TEST_F(CommandRoutingTest, EveryButtonRunsOneStationCallbackAndOnlyTheValueModeSwitchesPaste) {
  for (const ControlSpec& control : kPanelControls) {
    if (!IsButton(control.kind)) continue;
    SCOPED_TRACE("control " + std::to_string(control.id));
    recorder_.requests.clear();
    const int before = Callbacks();
    EXPECT_TRUE(RunPanelCommand(static_cast<unsigned>(control.id), &g_plugin, recorder_));
    EXPECT_EQ(Callbacks(), before + 1);
    const Requests want = control.id == ctl::kRelative   ? Requests{"paste off"}
                          : control.id == ctl::kAbsolute ? Requests{"paste on"}
                                                         : Requests{};
    EXPECT_EQ(recorder_.requests, want);
  }
  EXPECT_TRUE(host().sentMessages.empty());
}

TEST_F(CommandRoutingTest, CommandOneOnlyHidesTheCloseBoxAlsoTellsThePlugInAndTheHost) {
  g_plugin.m_shown = true;
  EXPECT_TRUE(RunPanelCommand(ctl::kHideCommand, &g_plugin, recorder_));
  EXPECT_EQ(recorder_.requests, Requests{"hide"});
  EXPECT_TRUE(g_plugin.m_shown);
  EXPECT_TRUE(host().sentMessages.empty());

  recorder_.requests.clear();
  EXPECT_TRUE(RunPanelCommand(ctl::kCloseCommand, &g_plugin, recorder_));
  EXPECT_EQ(recorder_.requests, Requests{"hide"});
  EXPECT_FALSE(g_plugin.m_shown);
  ASSERT_EQ(host().sentMessages.size(), 1u);
  const standin::SentMessage& sent = host().sentMessages[0];
  EXPECT_EQ(sent.message, kStationClosedMessage);
  EXPECT_EQ(sent.record.product, kProductId);
  EXPECT_EQ(sent.record.id, kPluginId);
  EXPECT_EQ(sent.option, 0);
  EXPECT_EQ(Callbacks(), 0);  // neither runs anything in the document
}

TEST_F(CommandRoutingTest, TheNotificationCodeIsIgnoredAndCommandsWithoutARouteAreLeftAlone) {
  doc_->currentObject = SelectedObject({{1, 1, 1}});
  SetTexts(kMove, "1", "0", "0");
  EXPECT_TRUE(RunPanelCommand(0x03000000u | ctl::kMove, &g_plugin, recorder_));
  EXPECT_EQ(At(0, 0), (standin::Vertex{2, 1, 1}));

  const int before = Callbacks();
  // A field's change notification, the shared ID of frames and labels, an unknown ID.
  for (unsigned command : {0x03000000u | ctl::kMoveX, unsigned{kUnnamedControlId}, 4242u}) {
    EXPECT_FALSE(RunPanelCommand(command, &g_plugin, recorder_)) << command;
  }
  EXPECT_EQ(Callbacks(), before);
  EXPECT_TRUE(recorder_.requests.empty());
}

TEST_F(CommandRoutingTest, ThePasteButtonsFollowTheValueModeWhenTheHostRefusesTheCallback) {
  doc_->currentObject = SelectedObject({{1, 2, 3}});
  host().refuseStationCallbacks = true;
  EXPECT_TRUE(RunPanelCommand(ctl::kAbsolute, &g_plugin, recorder_));
  EXPECT_TRUE(RunPanelCommand(ctl::kRelative, &g_plugin, recorder_));
  EXPECT_EQ(recorder_.requests, (Requests{"paste on", "paste off"}));
  EXPECT_EQ(Callbacks(), 2);
  EXPECT_EQ(Texts(kCentre), "  ");  // the refreshes never ran
}

TEST_F(CommandRoutingTest, WithoutAPlugInNothingRunsButThePanelStillDoesItsPart) {
  g_plugin.m_shown = true;
  EXPECT_TRUE(RunPanelCommand(ctl::kAbsolute, nullptr, recorder_));
  EXPECT_TRUE(RunPanelCommand(ctl::kCloseCommand, nullptr, recorder_));
  EXPECT_EQ(recorder_.requests, (Requests{"paste on", "hide"}));
  EXPECT_EQ(Callbacks(), 0);
  EXPECT_TRUE(host().sentMessages.empty());
  EXPECT_TRUE(g_plugin.m_shown);
}

TEST_F(CommandRoutingTest, ReturnRunsTheMoveOrTheRotationOfItsFieldAndNothingElseRuns) {
  doc_->currentObject = SelectedObject({{1, 0, 0}});
  SetTexts(kMove, "0", "2", "0");
  EXPECT_EQ(RunTypedChar(NumEditKind::kMove, '\r', &g_plugin), KeyVerdict::kRunAndConsume);
  EXPECT_EQ(At(0, 0), (standin::Vertex{1, 2, 0}));
  EXPECT_EQ(Callbacks(), 1);

  SetTexts(kRotation, "180", "0", "0");  // half a turn about X
  EXPECT_EQ(RunTypedChar(NumEditKind::kDegree, '\r', &g_plugin), KeyVerdict::kRunAndConsume);
  EXPECT_NEAR(At(0, 0).y, -2, 1e-6);
  EXPECT_EQ(Callbacks(), 2);

  // Return in a read-only field, Return before the plug-in is set, and any other
  // character run nothing; the verdict is the keystroke filter's.
  EXPECT_EQ(RunTypedChar(NumEditKind::kPlain, '\r', &g_plugin), KeyVerdict::kToField);
  EXPECT_EQ(RunTypedChar(NumEditKind::kMove, '\r', nullptr), KeyVerdict::kRunAndConsume);
  EXPECT_EQ(RunTypedChar(NumEditKind::kDegree, '7', &g_plugin), KeyVerdict::kToField);
  EXPECT_EQ(RunTypedChar(NumEditKind::kMove, 'e', &g_plugin), KeyVerdict::kBeep);
  EXPECT_EQ(RunTypedChar(NumEditKind::kMove, '\t', &g_plugin), KeyVerdict::kConsume);
  EXPECT_EQ(Callbacks(), 2);
}

}  // namespace
