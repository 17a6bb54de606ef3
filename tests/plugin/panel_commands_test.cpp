// What the plug-in does with the panel's commands: each button and radio of the layout
// runs one operation through a station callback, nothing else is a command, and the
// close box clears the shown flag and tells the host.
#include <string>

#include "panel/layout.h"
#include "tests/geometry/station_fixture.h"

namespace {

class PanelCommandsTest : public StationTest {
 protected:
  int Callbacks() { return standin::Host::Instance().stationCallbacks; }
};

TEST_F(PanelCommandsTest, EveryButtonOfTheLayoutRunsOneStationCallbackAndNothingElseIsACommand) {
  for (const ControlSpec& control : kPanelControls) {
    SCOPED_TRACE("control " + std::to_string(control.id));
    const int before = Callbacks();
    EXPECT_EQ(g_plugin.RunCommand(control.id), IsButton(control.kind));
    EXPECT_EQ(Callbacks(), before + (IsButton(control.kind) ? 1 : 0));
  }
  const int before = Callbacks();
  EXPECT_FALSE(g_plugin.RunCommand(4242));
  EXPECT_FALSE(g_plugin.RunCommand(ctl::kHideCommand));  // the panel's own
  EXPECT_FALSE(g_plugin.RunCommand(ctl::kCloseCommand));
  EXPECT_EQ(Callbacks(), before);
  EXPECT_TRUE(standin::Host::Instance().sentMessages.empty());
}

TEST_F(PanelCommandsTest, TheMoveCommandMovesTheSelection) {
  doc_->currentObject = SelectedObject({{1, 1, 1}});
  SetTexts(kMove, "1", "0", "0");
  EXPECT_TRUE(g_plugin.RunCommand(ctl::kMove));
  EXPECT_EQ(At(0, 0), (standin::Vertex{2, 1, 1}));
}

TEST_F(PanelCommandsTest, TheCloseBoxClearsTheShownFlagAndTellsTheHost) {
  int show = 1;
  ASSERT_EQ(MQOnEvent(doc_->Handle(), event::kShow, &show), 1);
  const int before = Callbacks();
  g_plugin.OnPanelClosed();
  EXPECT_EQ(g_plugin.IsStationShown(doc_->Handle()), 0);
  ExpectOnlyTheStationClosedMessage();
  EXPECT_EQ(Callbacks(), before);  // nothing runs in the document
}

}  // namespace
