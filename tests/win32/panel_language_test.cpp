// What a modeller who reads Japanese, or English, meets at the real panel of
// Gridwell.dll: a tooltip on every control that acts or shows a value, in the user
// interface's language, shown when the mouse rests on the control (a disabled one
// included); typed fields without an input method; full-width text pasted into a move
// field read as the number it shows. Run once per language: GRIDWELL_TIP_LANGUAGE
// says which one ("ja" or "en") the process's LANG gave Wine.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "host/stand_in_host.h"
#include "host/win32_panel_driver.h"
#include "panel/control_ids.h"
#include "panel/layout.h"
#include "panel/tooltips.h"
#include "tests/win32/loaded_plugin.h"

namespace {

bool JapaneseExpected() {
  const char* language = std::getenv("GRIDWELL_TIP_LANGUAGE");
  return language != nullptr && std::strcmp(language, "ja") == 0;
}

std::wstring Wide(const char* utf8) {
  wchar_t text[512] = {};
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text, 512);
  return text;
}

struct Found {
  const wchar_t* className;
  HWND owner;
  HWND window;
};

BOOL CALLBACK TakeIfMatching(HWND window, LPARAM out) {
  Found& found = *reinterpret_cast<Found*>(out);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (_wcsicmp(className, found.className) != 0) return TRUE;
  if (found.owner != nullptr && GetWindow(window, GW_OWNER) != found.owner) return TRUE;
  found.window = window;
  return FALSE;
}

HWND ThreadWindow(const wchar_t* className, HWND owner) {
  Found found = {className, owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &TakeIfMatching, reinterpret_cast<LPARAM>(&found));
  return found.window;
}

// Runs this thread's messages for up to milliseconds, or until done says so.
template <typename Done>
bool PumpUntil(int milliseconds, Done done) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(milliseconds)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    Sleep(10);
  }
  return done();
}

class PanelLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_onEvent = LoadPlugin();
    ASSERT_NE(m_onEvent, nullptr) << "cannot load and bind " GRIDWELL_PLUGIN_PATH;
    m_doc = standin::Host::Instance().Reset().Handle();
    ASSERT_EQ(Event(1), 1);
    m_driver.reset(CreateWin32PanelDriver());
    ASSERT_TRUE(m_driver->Exists());
    m_panel = ThreadWindow(L"#32770", nullptr);
    ASSERT_NE(m_panel, nullptr);
    m_tooltip = ThreadWindow(TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(m_tooltip, nullptr) << "the panel has no tooltip window";
  }

  void TearDown() override {
    if (m_onEvent != nullptr) Event(2);
  }

  int Event(int code, void* option = nullptr) { return m_onEvent(m_doc, code, option); }

  std::wstring ExpectedTip(int id) {
    return Wide(TooltipText(id, JapaneseExpected() ? TipLanguage::kJapanese
                                                   : TipLanguage::kEnglish));
  }

  // The text of the tool (m_panel, id), the control's window when byWindow.
  std::wstring ToolText(HWND control, bool byWindow) {
    wchar_t text[512] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = m_panel;
    tool.uFlags = byWindow ? TTF_IDISHWND : 0;
    tool.uId = byWindow ? reinterpret_cast<UINT_PTR>(control) : GetDlgCtrlID(control);
    tool.lpszText = text;
    SendMessageW(m_tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
  }

  // Rests the mouse on the middle of the control and answers the text of the tip that
  // shows, or "" when none shows within a few seconds.
  std::wstring HoverTip(int id) {
    MoveMouseAway();
    if (!m_driver->Hover(id)) return L"";
    if (!PumpUntil(5000, [&] { return IsWindowVisible(m_tooltip) != FALSE; })) return L"";
    wchar_t text[512] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.lpszText = text;
    if (!SendMessageW(m_tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
      return L"";
    SendMessageW(m_tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
  }

  // Off the panel, and the tip gone.
  void MoveMouseAway() {
    RECT panel = {};
    GetWindowRect(m_panel, &panel);
    SetCursorPos(panel.right + 40, panel.bottom + 40);
    PumpUntil(2000, [&] { return IsWindowVisible(m_tooltip) == FALSE; });
  }

  // Puts text on the clipboard and pastes it into the field over its whole text, as
  // the field's own context menu does.
  void Paste(int id, const wchar_t* text) {
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(m_panel));
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    ASSERT_TRUE(placed);
    HWND field = GetDlgItem(m_panel, id);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_PASTE, 0, 0);
  }

  MQOnEventProc m_onEvent = nullptr;
  MQDocument m_doc = nullptr;
  std::unique_ptr<PanelDriver> m_driver;
  HWND m_panel = nullptr;
  HWND m_tooltip = nullptr;
};

TEST_F(PanelLanguageTest, WineSpeaksTheLanguageAndCodePageThisRunAskedFor) {
  const bool japanese = (GetUserDefaultUILanguage() & 0x3FF) == LANG_JAPANESE;
  EXPECT_EQ(japanese, JapaneseExpected()) << "LANG did not reach Wine as expected";
  // The English run reads pasted full-width text on a code page without it.
  if (JapaneseExpected()) {
    EXPECT_EQ(GetACP(), 932u);
  } else {
    EXPECT_NE(GetACP(), 932u);
  }
}

// Every button, radio and value field answers its own tip, in the user interface's
// language, by its window and by its rectangle; frames and labels have none.
TEST_F(PanelLanguageTest, EveryActingOrValueControlAnswersItsTipInTheUsersLanguage) {
  int withTip = 0;
  for (const ControlSpec& control : kPanelControls) {
    if (control.id == 65535) continue;
    SCOPED_TRACE("control " + std::to_string(control.id));
    HWND child = GetDlgItem(m_panel, control.id);
    ASSERT_NE(child, nullptr);
    if (!HasTooltip(control)) {
      EXPECT_EQ(ToolText(child, true), L"");
      continue;
    }
    ++withTip;
    const std::wstring expected = ExpectedTip(control.id);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ToolText(child, true), expected);
    EXPECT_EQ(ToolText(child, false), expected);
  }
  EXPECT_EQ(SendMessageW(m_tooltip, TTM_GETTOOLCOUNT, 0, 0), 2 * withTip);

  // The language itself, independently of the table's lookup.
  const std::wstring move = ToolText(GetDlgItem(m_panel, ctl::kMove), true);
  if (JapaneseExpected()) {
    EXPECT_EQ(move.rfind(L"［相対］では", 0), 0u) << "not the Japanese tip";
  } else {
    EXPECT_EQ(move.rfind(L"Move the selection", 0), 0u) << "not the English tip";
  }
}

TEST_F(PanelLanguageTest, TheTooltipIsTheOneWindowThePanelAddsAndGoesWithIt) {
  int controls = 0;
  for (HWND child = GetWindow(m_panel, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ++controls;
  }
  EXPECT_EQ(controls, 71);
  EXPECT_EQ(controls, kPanelControlCount);
  EXPECT_FALSE(GetWindowLongW(m_tooltip, GWL_STYLE) & WS_CHILD);

  Event(2);  // the station stops and the panel is destroyed
  EXPECT_FALSE(IsWindow(m_panel));
  EXPECT_FALSE(IsWindow(m_tooltip));
  EXPECT_EQ(ThreadWindow(TOOLTIPS_CLASSW, nullptr), nullptr);
  ASSERT_EQ(Event(1), 1);  // a new panel has a new tooltip
  m_panel = ThreadWindow(L"#32770", nullptr);
  EXPECT_NE(ThreadWindow(TOOLTIPS_CLASSW, nullptr), nullptr);
}

// A real mouse move over the shown panel: the tip of the control under the mouse
// shows, for a button, a field, a radio and a paste button that relative mode has
// disabled.
TEST_F(PanelLanguageTest, RestingTheMouseOnAControlShowsItsTip) {
  int32_t show = 1;
  Event(100, &show);
  ASSERT_TRUE(m_driver->IsVisible());
  ASSERT_FALSE(m_driver->IsEnabled(ctl::kPasteX));
  for (int id : {ctl::kMove, ctl::kMoveY, ctl::kAbsolute, ctl::kPasteX, ctl::kTotalLength}) {
    EXPECT_EQ(HoverTip(id), ExpectedTip(id)) << "control " << id;
  }
  MoveMouseAway();
}

// Only the six typed fields lose the input method; every other control keeps the
// thread's default context, the one the panel window itself has.
TEST_F(PanelLanguageTest, TheTypedFieldsAloneHaveNoInputMethodContext) {
  HIMC panelContext = ImmGetContext(m_panel);
  ASSERT_NE(panelContext, nullptr) << "no input method context anywhere to compare with";
  int without = 0;
  for (HWND child = GetWindow(m_panel, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child) & 0xFFFF;
    bool typed = false;
    for (const ControlSpec& control : kPanelControls) {
      typed = typed || (control.id == id && control.kind == ControlKind::kEditableField);
    }
    HIMC context = ImmGetContext(child);
    EXPECT_EQ(context == nullptr, typed) << "control " << id;
    if (!typed) {
      EXPECT_EQ(context, panelContext) << "control " << id;
    }
    if (context != nullptr) ImmReleaseContext(child, context);
    without += context == nullptr;
  }
  ImmReleaseContext(m_panel, panelContext);
  EXPECT_EQ(without, 6);
}

// Text pasted from a Japanese document: full-width digits and point, the full-width
// minus and the minus sign read as the number the field shows, whatever the code page.
TEST_F(PanelLanguageTest, PastedFullWidthNumbersMoveTheCentreThere) {
  standin::Document& doc = standin::Host::Instance().document();
  const int object = doc.AddObject("point", {{4, 4, 4}});
  doc.currentObject = object;
  doc.SelectVertex(object, 0);
  ASSERT_TRUE(m_driver->Click(ctl::kAbsolute));

  Paste(ctl::kMoveX, L"\xFF11\xFF0E\xFF15");          // "１．５"
  Paste(ctl::kMoveY, L"\xFF0D\xFF12");                // "－２"
  Paste(ctl::kMoveZ, L"\x2212\xFF10\xFF0E\xFF12\xFF15");  // "−０．２５"
  ASSERT_TRUE(m_driver->Click(ctl::kMove));
  const standin::Vertex moved = doc.VertexAt(object, 0);
  EXPECT_EQ(moved.x, 1.5f);
  EXPECT_EQ(moved.y, -2.0f);
  EXPECT_EQ(moved.z, -0.25f);
  char shown[64] = {};  // the move writes the fields back as it read them
  m_driver->GetText(ctl::kMoveX, shown, sizeof shown);
  EXPECT_STREQ(shown, "1.500");

  // Text that is no number still reads as 0: a move to 0 on that axis.
  Paste(ctl::kMoveX, L"\xFF41\xFF11");  // "ａ１"
  ASSERT_TRUE(m_driver->Click(ctl::kMove));
  EXPECT_EQ(doc.VertexAt(object, 0).x, 0.0f);
  EXPECT_EQ(m_driver->BeepCount(), 0);
}

}  // namespace
