// The real panel of Gridwell.dll sets a value field's text only when it differs from
// the text in the field: SetWindowTextA reaches the field as WM_SETTEXT, which a
// thread hook counts. A refresh of an unchanged document sets no text, and text a
// person typed into a move field is replaced wherever a refresh must replace it.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "host/stand_in_host.h"
#include "host/win32_panel_driver.h"
#include "panel/control_ids.h"
#include "plugin/event_dispatch.h"
#include "tests/win32/loaded_plugin.h"

namespace {

// WM_SETTEXT sent to any edit control of this thread.
long g_textsSet = 0;

LRESULT CALLBACK CountSetText(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    char className[16] = {};
    if (call.message == WM_SETTEXT && GetClassNameA(call.hwnd, className, sizeof className) > 0 &&
        lstrcmpiA(className, "Edit") == 0) {
      ++g_textsSet;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class FieldWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    onEvent_ = LoadPlugin();
    ASSERT_NE(onEvent_, nullptr) << "cannot load and bind " GRIDWELL_PLUGIN_PATH;
    standin::Document& doc = standin::Host::Instance().Reset();
    doc_ = doc.Handle();
    const int object = doc.AddObject("o", {{1, 2, 3}, {3, 4, 5}, {-1, 0, 7}});
    doc.SelectAllVertices(object);
    doc.currentObject = object;
    ASSERT_EQ(onEvent_(doc_, event::kStart, nullptr), 1);
    driver_.reset(CreateWin32PanelDriver());
    ASSERT_TRUE(driver_->Exists());
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &CountSetText, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook_, nullptr);
  }
  void TearDown() override {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    if (onEvent_ != nullptr) onEvent_(doc_, event::kStop, nullptr);
  }

  void Refresh() { onEvent_(doc_, event::kEvent210, nullptr); }
  long TextsSetDuringRefresh() {
    const long before = g_textsSet;
    Refresh();
    return g_textsSet - before;
  }
  std::string Text(int id) {
    char text[256] = {};
    driver_->GetText(id, text, sizeof text);
    return text;
  }

  MQOnEventProc onEvent_ = nullptr;
  MQDocument doc_ = nullptr;
  std::unique_ptr<PanelDriver> driver_;
  HHOOK hook_ = nullptr;
};

TEST_F(FieldWriteTest, AnUnchangedRefreshSetsNoText) {
  // The first refresh fills the readouts; the hook sees those writes.
  EXPECT_EQ(TextsSetDuringRefresh(), 10);
  EXPECT_EQ(Text(ctl::kCentreZ), "5.000");
  EXPECT_EQ(TextsSetDuringRefresh(), 0);

  driver_->Click(ctl::kAbsolute);
  EXPECT_EQ(Text(ctl::kMoveX), "1.000");
  EXPECT_EQ(TextsSetDuringRefresh(), 0);

  driver_->Click(ctl::kLocal);
  EXPECT_EQ(TextsSetDuringRefresh(), 0);
}

TEST_F(FieldWriteTest, TypedTextInAMoveFieldIsReplacedWhereARefreshMustReplaceIt) {
  driver_->Click(ctl::kAbsolute);
  driver_->Type(ctl::kMoveX, '9');
  ASSERT_NE(Text(ctl::kMoveX), "1.000");
  EXPECT_EQ(TextsSetDuringRefresh(), 1);
  EXPECT_EQ(Text(ctl::kMoveX), "1.000");

  // Choosing relative mode resets the move fields over typing; a refresh without the
  // reset leaves typing alone.
  driver_->Click(ctl::kRelative);
  driver_->SetText(ctl::kMoveY, "7");
  driver_->Click(ctl::kRelative);
  EXPECT_EQ(Text(ctl::kMoveY), "0.000");
  driver_->SetText(ctl::kMoveZ, "4");
  EXPECT_EQ(TextsSetDuringRefresh(), 0);
  EXPECT_EQ(Text(ctl::kMoveZ), "4");
}

// A text that begins what the field shows is still another text: typed "1.0001" in a
// move field gives way to the refresh's "1.000", and a typed "0.0005" in a rotation
// field to the "0.000" of its Clr button.
TEST_F(FieldWriteTest, AShorterTextThatBeginsWhatTheFieldShowsIsStillWritten) {
  driver_->Click(ctl::kAbsolute);
  ASSERT_EQ(Text(ctl::kMoveX), "1.000");  // the centre's x
  driver_->SetText(ctl::kMoveX, "");
  for (char c : std::string("1.0001")) driver_->Type(ctl::kMoveX, c);
  ASSERT_EQ(Text(ctl::kMoveX), "1.0001");
  EXPECT_EQ(TextsSetDuringRefresh(), 1);
  EXPECT_EQ(Text(ctl::kMoveX), "1.000");

  driver_->SetText(ctl::kRotateY, "");
  for (char c : std::string("0.0005")) driver_->Type(ctl::kRotateY, c);
  ASSERT_EQ(Text(ctl::kRotateY), "0.0005");
  driver_->Click(ctl::kClearRotation);
  EXPECT_EQ(Text(ctl::kRotateY), "0.000");
}

}  // namespace
