// Carrying out a command or a typed character, the code both panels call: what the
// panel does itself, what it hands to its client, and what Return hands on from the
// move and rotation fields. Client and panel here only record what they are asked.
#include "panel/command_routing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/control_ids.h"
#include "panel/layout.h"

namespace {

class RecordingPanel final : public PanelCommandTarget {
 public:
  void HidePanel() override { requests.push_back("hide"); }
  void SetPasteButtonsEnabled(bool enabled) override {
    requests.push_back(enabled ? "paste on" : "paste off");
  }
  std::vector<std::string> requests;
};

class RecordingClient final : public PanelClient {
 public:
  bool RunCommand(int id) override {
    commands.push_back(id);
    return knowsCommands;
  }
  void OnPanelClosed() override { ++closes; }
  std::vector<int> commands;
  int closes = 0;
  bool knowsCommands = true;
};

class CommandRoutingTest : public ::testing::Test {
 protected:
  RecordingPanel panel_;
  RecordingClient client_;
  using Requests = std::vector<std::string>;
  using Commands = std::vector<int>;
};

TEST_F(CommandRoutingTest, EveryButtonGoesToTheClientAndOnlyTheValueModeSwitchesPaste) {
  for (const ControlSpec& control : kPanelControls) {
    if (!IsButton(control.kind)) continue;
    SCOPED_TRACE("control " + std::to_string(control.id));
    panel_.requests.clear();
    client_.commands.clear();
    EXPECT_TRUE(RunPanelCommand(static_cast<unsigned>(control.id), &client_, panel_));
    EXPECT_EQ(client_.commands, Commands{control.id});
    const Requests want = control.id == ctl::kRelative   ? Requests{"paste off"}
                          : control.id == ctl::kAbsolute ? Requests{"paste on"}
                                                         : Requests{};
    EXPECT_EQ(panel_.requests, want);
  }
  EXPECT_EQ(client_.closes, 0);
}

TEST_F(CommandRoutingTest, CommandOneOnlyHidesTheCloseBoxAlsoTellsTheClient) {
  EXPECT_TRUE(RunPanelCommand(ctl::kHideCommand, &client_, panel_));
  EXPECT_EQ(panel_.requests, Requests{"hide"});
  EXPECT_EQ(client_.closes, 0);

  panel_.requests.clear();
  EXPECT_TRUE(RunPanelCommand(ctl::kCloseCommand, &client_, panel_));
  EXPECT_EQ(panel_.requests, Requests{"hide"});
  EXPECT_EQ(client_.closes, 1);
  EXPECT_TRUE(client_.commands.empty());  // neither is a command of the client's
}

TEST_F(CommandRoutingTest, TheNotificationCodeIsIgnoredAndUnknownCommandsAreLeftAlone) {
  EXPECT_TRUE(RunPanelCommand(0x03000000u | ctl::kMove, &client_, panel_));
  EXPECT_EQ(client_.commands, Commands{ctl::kMove});

  // A command the client does not know goes to default processing, whatever its
  // notification, and the panel does nothing of its own.
  client_.knowsCommands = false;
  client_.commands.clear();
  EXPECT_FALSE(RunPanelCommand(0x03000000u | ctl::kMoveX, &client_, panel_));
  EXPECT_EQ(client_.commands, Commands{ctl::kMoveX});
  EXPECT_TRUE(panel_.requests.empty());
}

TEST_F(CommandRoutingTest, ThePasteButtonsFollowTheValueModeWhateverTheClientAnswers) {
  client_.knowsCommands = false;  // as when the host refused the refresh's callback
  EXPECT_TRUE(RunPanelCommand(ctl::kAbsolute, &client_, panel_));
  EXPECT_TRUE(RunPanelCommand(ctl::kRelative, &client_, panel_));
  EXPECT_EQ(panel_.requests, (Requests{"paste on", "paste off"}));
  EXPECT_EQ(client_.commands, (Commands{ctl::kAbsolute, ctl::kRelative}));
}

TEST_F(CommandRoutingTest, WithoutAClientNothingRunsButThePanelStillDoesItsPart) {
  EXPECT_TRUE(RunPanelCommand(ctl::kAbsolute, nullptr, panel_));
  EXPECT_TRUE(RunPanelCommand(ctl::kCloseCommand, nullptr, panel_));
  EXPECT_FALSE(RunPanelCommand(ctl::kMove, nullptr, panel_));
  EXPECT_EQ(panel_.requests, (Requests{"paste on", "hide"}));
}

TEST_F(CommandRoutingTest, ReturnHandsOnTheMoveOrTheRotationOfItsFieldAndNothingElse) {
  EXPECT_EQ(RunTypedChar(NumEditKind::kMove, '\r', &client_), KeyVerdict::kRunAndConsume);
  EXPECT_EQ(RunTypedChar(NumEditKind::kDegree, '\r', &client_), KeyVerdict::kRunAndConsume);
  EXPECT_EQ(client_.commands, (Commands{ctl::kMove, ctl::kRotate}));

  // Return in a read-only field, Return before the client is set, and any other
  // character hand on nothing; the verdict is the keystroke filter's.
  EXPECT_EQ(RunTypedChar(NumEditKind::kPlain, '\r', &client_), KeyVerdict::kToField);
  EXPECT_EQ(RunTypedChar(NumEditKind::kMove, '\r', nullptr), KeyVerdict::kRunAndConsume);
  EXPECT_EQ(RunTypedChar(NumEditKind::kDegree, '7', &client_), KeyVerdict::kToField);
  EXPECT_EQ(RunTypedChar(NumEditKind::kMove, 'e', &client_), KeyVerdict::kBeep);
  EXPECT_EQ(RunTypedChar(NumEditKind::kMove, '\t', &client_), KeyVerdict::kConsume);
  EXPECT_EQ(client_.commands.size(), 2u);
}

}  // namespace
