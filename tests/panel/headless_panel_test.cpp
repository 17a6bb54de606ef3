// The headless panel driven as a person would: clicks, typing, panel keys, and what the
// routing and the paste-button rule make of them.
#include "panel/layout.h"
#include "tests/geometry/station_fixture.h"

extern "C" PanelDriver* GridwellPanelDriver();

namespace {

class HeadlessPanelTest : public StationTest {
 protected:
  void Type(int id, const char* keys) {
    for (const char* c = keys; *c != '\0'; ++c) panel_->Type(id, *c);
  }
  bool PasteButtonsEnabled(bool enabled) {
    for (int id : ctl::kPasteButtons) {
      if (panel_->IsEnabled(id) != enabled) return false;
    }
    return true;
  }
};

TEST_F(HeadlessPanelTest, StartsHiddenWithGlobalRelativeAndThePasteButtonsOff) {
  EXPECT_TRUE(panel_->Exists());
  EXPECT_FALSE(panel_->IsVisible());
  EXPECT_TRUE(panel_->IsTopmost());
  EXPECT_TRUE(panel_->IsChecked(ctl::kGlobal) && panel_->IsChecked(ctl::kRelative));
  EXPECT_FALSE(panel_->IsChecked(ctl::kLocal) || panel_->IsChecked(ctl::kAbsolute));
  EXPECT_TRUE(PasteButtonsEnabled(false));
  EXPECT_TRUE(panel_->IsEnabled(ctl::kCopy));
  EXPECT_EQ(panel_->FocusedControl(), ctl::kGlobal);
  EXPECT_EQ(GridwellPanelDriver(), panel_);
}

TEST_F(HeadlessPanelTest, TypingPassesNumberCharactersAndBeepsAtTheRest) {
  panel_->SetText(ctl::kMoveX, "");
  Type(ctl::kMoveX, "12.5a,+e-\b7");
  EXPECT_EQ(Text(ctl::kMoveX), "12.57");
  EXPECT_EQ(panel_->BeepCount(), 4);
  Type(ctl::kCentreX, "9");  // read-only: passes the filter, changes nothing
  EXPECT_EQ(Text(ctl::kCentreX), "");
  EXPECT_EQ(panel_->BeepCount(), 4);
}

TEST_F(HeadlessPanelTest, ReturnRunsTheMoveOrTheRotationOfItsGroup) {
  doc_->currentObject = SelectedObject({{1, 0, 0}});
  SetTexts(kMove, "0", "2", "0");
  panel_->Type(ctl::kMoveY, '\r');
  EXPECT_EQ(At(0, 0), (standin::Vertex{1, 2, 0}));
  panel_->Type(ctl::kCentreY, '\r');  // a read-only field runs nothing
  EXPECT_EQ(At(0, 0), (standin::Vertex{1, 2, 0}));
  SetTexts(kRotation, "180", "0", "0");
  panel_->Type(ctl::kRotateZ, '\r');
  EXPECT_NEAR(At(0, 0).y, -2, 1e-6);
}

TEST_F(HeadlessPanelTest, ValueModeRadiosSwitchEachOtherAndThePasteButtons) {
  doc_->currentObject = SelectedObject({{1, 2, 3}});
  // A stored coordinate apart from the centre: typed as a target, then copied.
  panel_->Click(ctl::kAbsolute);
  SetTexts(kMove, "7", "8", "9");
  panel_->Click(ctl::kCopy);
  panel_->Click(ctl::kRelative);
  panel_->Click(ctl::kPasteX);  // disabled: nothing happens
  EXPECT_EQ(Text(ctl::kMoveX), "0.000");
  panel_->Click(ctl::kAbsolute);
  EXPECT_FALSE(panel_->IsChecked(ctl::kRelative));
  EXPECT_EQ(Texts(kMove), "1.000 2.000 3.000");
  EXPECT_TRUE(PasteButtonsEnabled(true));
  panel_->Click(ctl::kLocal);  // the coordinate mode leaves the paste buttons alone
  EXPECT_TRUE(PasteButtonsEnabled(true));
  EXPECT_TRUE(panel_->IsChecked(ctl::kAbsolute));
  panel_->Click(ctl::kPasteXYZ);
  EXPECT_EQ(Texts(kMove), "7.000 8.000 9.000");
  panel_->Click(ctl::kRelative);
  EXPECT_TRUE(PasteButtonsEnabled(false));
  EXPECT_EQ(Texts(kMove), "0.000 0.000 0.000");
}

TEST_F(HeadlessPanelTest, CommandsRouteOnTheLowWordWhateverTheNotification) {
  doc_->currentObject = SelectedObject({{1, 1, 1}});
  SetTexts(kMove, "1", "0", "0");
  panel_->Command(ctl::kMove, 5);
  EXPECT_EQ(At(0, 0), (standin::Vertex{2, 1, 1}));
  panel_->Command(ctl::kMoveX, 0x0300);  // a field's change notification runs nothing
  EXPECT_EQ(At(0, 0), (standin::Vertex{2, 1, 1}));
}

TEST_F(HeadlessPanelTest, RearViewAsksForSceneZeroAndChangesNothing) {
  doc_->currentObject = SelectedObject({{1, 1, 1}});
  const int before = standin::Host::Instance().CallsTo("MQDoc_GetScene");
  panel_->Click(ctl::kRearView);  // never visible: no click reaches it
  EXPECT_EQ(standin::Host::Instance().CallsTo("MQDoc_GetScene"), before);
  panel_->Command(ctl::kRearView, 0);
  EXPECT_EQ(standin::Host::Instance().CallsTo("MQDoc_GetScene"), before + 1);
  EXPECT_EQ(At(0, 0), (standin::Vertex{1, 1, 1}));
}

TEST_F(HeadlessPanelTest, CloseBoxHidesAndTellsTheHostHideCommandOnlyHides) {
  int show = 1;
  MQOnEvent(doc_->Handle(), 100, &show);
  EXPECT_TRUE(panel_->IsVisible());
  panel_->Command(ctl::kHideCommand, 0);
  EXPECT_FALSE(panel_->IsVisible());
  EXPECT_EQ(g_plugin.IsStationShown(doc_->Handle()), 1);
  EXPECT_TRUE(standin::Host::Instance().sentMessages.empty());
  panel_->Command(ctl::kCloseCommand, 0);
  EXPECT_EQ(g_plugin.IsStationShown(doc_->Handle()), 0);
  ExpectOnlyTheStationClosedMessage();
}

TEST_F(HeadlessPanelTest, TabFromThePanelMovesTheFocusOtherKeysBeep) {
  // Of the radio pair only the checked one is a tab stop: on to the next group.
  panel_->PanelKey(9);
  EXPECT_EQ(panel_->FocusedControl(), ctl::kRelative);
  EXPECT_EQ(panel_->BeepCount(), 0);
  panel_->PanelKey(0x10);  // Shift
  panel_->PanelKey('A');
  EXPECT_EQ(panel_->BeepCount(), 2);
}

TEST_F(HeadlessPanelTest, TheDriverReportsNoPanelAfterTheStationStops) {
  MQOnEvent(doc_->Handle(), event::kStop, nullptr);
  EXPECT_FALSE(GridwellPanelDriver()->Exists());
  EXPECT_FALSE(GridwellPanelDriver()->Click(ctl::kMove));
}

}  // namespace
