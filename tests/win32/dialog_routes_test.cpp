// CMainDlg and its numeric edits carry out every command and every typed character
// through RunPanelCommand and RunTypedChar (panel/command_routing.h), the code the
// headless panel also calls. This program links the real dialog, its edits and the
// window layer, but not that code: the two functions below take its place and record
// what reaches them. A dialog or an edit that ran a button, the paste-button rule or
// Return in a way of its own would leave the record empty.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <new>
#include <vector>

#include "panel/command_routing.h"
#include "panel/control_ids.h"
#include "panel/layout.h"
#include "panel/win32/main_dlg.h"
#include "panel/win32/app_module.h"
#include "panel/win32/message_loop.h"

namespace {

struct CommandCall {
  unsigned commandParam;
  PanelClient* plugin;
};

struct CharCall {
  NumEditKind kind;
  uintptr_t charParam;
  PanelClient* plugin;
};

std::vector<CommandCall> g_commands;
std::vector<CharCall> g_chars;
// What the stand-ins do: what a command asks of the panel, and the verdict on a
// typed character.
std::function<void(PanelCommandTarget&)> g_commandReaction;
KeyVerdict g_verdict = KeyVerdict::kToField;

}  // namespace

bool RunPanelCommand(unsigned commandParam, PanelClient* plugin, PanelCommandTarget& panel) {
  g_commands.push_back({commandParam, plugin});
  if (g_commandReaction) g_commandReaction(panel);
  return true;
}

KeyVerdict RunTypedChar(NumEditKind kind, uintptr_t charParam, PanelClient* plugin) {
  g_chars.push_back({kind, charParam, plugin});
  return g_verdict;
}

namespace {

// The dialog never looks into the plug-in object; it only hands the pointer on.
alignas(8) char g_pluginStandIn[8];
PanelClient* const kPlugin = reinterpret_cast<PanelClient*>(g_pluginStandIn);

constexpr int kMoveFields[] = {ctl::kMoveX, ctl::kMoveY, ctl::kMoveZ};
constexpr int kRotationFields[] = {ctl::kRotateX, ctl::kRotateY, ctl::kRotateZ};

class DialogRoutesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // What the library's entry routine does at load: the module and this thread's loop.
    ASSERT_TRUE(g_module.Init());
    g_module.AddMessageLoop(&s_loop);
  }

  void SetUp() override {
    g_commands.clear();
    g_chars.clear();
    g_commandReaction = nullptr;
    g_verdict = KeyVerdict::kToField;
    m_dialog = new CMainDlg(kPlugin);
    ASSERT_TRUE(m_dialog->CreatePanel(nullptr));
    m_panel = m_dialog->Handle();
    m_dialog->ShowPanel(true);
    Pump();
    g_commands.clear();  // notifications of the fields' first texts, if any
  }

  void TearDown() override {
    delete m_dialog;  // destroys the window first
    Pump();
  }

  HWND Control(int id) { return GetDlgItem(m_panel, id); }

  // The host's loop: the panel's message filter first, as a modeller runs it.
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (s_loop.PreTranslateMessage(&msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  // A key pressed and released in control, through the loop. What is recorded starts
  // after the focus has moved there (a field tells the panel that it got the focus).
  void PressKey(HWND control, UINT key) {
    SetActiveWindow(m_panel);
    SetFocus(control);
    Pump();
    ASSERT_EQ(GetFocus(), control);
    g_commands.clear();
    g_chars.clear();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(control, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(control, WM_KEYUP, key, 1 | scan | LPARAM{0x40000000} | LPARAM{1} << 31);
    Pump();
  }

  std::vector<unsigned> CommandIds() {
    std::vector<unsigned> ids;
    for (const CommandCall& call : g_commands) ids.push_back(call.commandParam & 0xFFFF);
    return ids;
  }

  static CMessageLoop s_loop;
  CMainDlg* m_dialog = nullptr;
  HWND m_panel = nullptr;
};

CMessageLoop DialogRoutesTest::s_loop;

TEST_F(DialogRoutesTest, TheDialogHooksIntoTheThreadsLoopUntilItIsDestroyed) {
  EXPECT_EQ(s_loop.FilterCount(), 1u);
  EXPECT_EQ(s_loop.IdleHandlerCount(), 1u);
  EXPECT_FALSE(s_loop.OnIdle());  // the panel wants no idle time
  m_dialog->DestroyPanel();
  EXPECT_EQ(s_loop.FilterCount(), 0u);
  EXPECT_EQ(s_loop.IdleHandlerCount(), 0u);
}

TEST_F(DialogRoutesTest, EveryCommandReachesRunPanelCommandWholeWithThePanelsPlugIn) {
  std::vector<int> ids = {ctl::kHideCommand, ctl::kCloseCommand, ctl::kMoveX, 4242};
  for (const ControlSpec& control : kPanelControls) {
    if (IsButton(control.kind)) ids.push_back(control.id);
  }
  for (int id : ids) {
    g_commands.clear();
    const WPARAM param = MAKEWPARAM(id, 0x0300);  // any notification code
    SendMessageA(m_panel, WM_COMMAND, param, reinterpret_cast<LPARAM>(Control(id)));
    ASSERT_EQ(g_commands.size(), 1u) << "command " << id;
    EXPECT_EQ(g_commands[0].commandParam, param);
    EXPECT_EQ(g_commands[0].plugin, kPlugin);
  }
}

TEST_F(DialogRoutesTest, AClickedButtonIsCarriedOutThereAndNowhereElse) {
  for (int id : {ctl::kMove, ctl::kRotate, ctl::kAbsolute, ctl::kCopy}) {
    g_commands.clear();
    SendMessageA(Control(id), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(CommandIds(), std::vector<unsigned>{static_cast<unsigned>(id)});
  }
}

TEST_F(DialogRoutesTest, TheDialogHidesAndSwitchesExactlyTheSevenPasteButtonsWhenAsked) {
  for (int id : ctl::kPasteButtons) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  g_commandReaction = [](PanelCommandTarget& panel) { panel.SetPasteButtonsEnabled(true); };
  SendMessageA(Control(ctl::kAbsolute), BM_CLICK, 0, 0);
  for (int id : ctl::kPasteButtons) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;

  g_commandReaction = [](PanelCommandTarget& panel) { panel.SetPasteButtonsEnabled(false); };
  SendMessageA(Control(ctl::kRelative), BM_CLICK, 0, 0);
  for (int id : ctl::kPasteButtons) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  for (const ControlSpec& control : kPanelControls) {
    if (control.id == kUnnamedControlId || IsValueField(control.kind)) continue;
    ASSERT_NE(Control(control.id), nullptr) << "no control " << control.id << " in the template";
    bool paste = false;
    for (int id : ctl::kPasteButtons) paste = paste || id == control.id;
    if (!paste) {
      EXPECT_TRUE(IsWindowEnabled(Control(control.id))) << control.id;
    }
  }

  EXPECT_TRUE(IsWindowVisible(m_panel));
  g_commandReaction = [](PanelCommandTarget& panel) { panel.HidePanel(); };
  SendMessageA(m_panel, WM_COMMAND, ctl::kCloseCommand, 0);
  EXPECT_FALSE(IsWindowVisible(m_panel));
  EXPECT_TRUE(IsWindow(m_panel));  // hidden, not destroyed
}

TEST_F(DialogRoutesTest, EveryTypedCharacterReachesRunTypedCharWithItsFieldsKindAndPlugIn) {
  SendMessageA(Control(ctl::kMoveY), WM_CHAR, '\r', 1);
  ASSERT_EQ(g_chars.size(), 1u);
  EXPECT_EQ(g_chars[0].plugin, nullptr);  // not set yet: Return runs nothing

  m_dialog->SetEditPlugin(kPlugin);
  std::vector<int> fields;
  for (const ControlSpec& control : kPanelControls) {
    if (IsValueField(control.kind)) fields.push_back(control.id);
  }
  ASSERT_EQ(fields.size(), 19u);
  for (int id : fields) {
    g_chars.clear();
    SendMessageA(Control(id), WM_CHAR, 0x4235, 1);  // '5' with bits above the low byte
    ASSERT_EQ(g_chars.size(), 1u) << id;
    const bool move =
        std::find(std::begin(kMoveFields), std::end(kMoveFields), id) != std::end(kMoveFields);
    const bool rotation = std::find(std::begin(kRotationFields), std::end(kRotationFields), id) !=
                          std::end(kRotationFields);
    const NumEditKind want =
        move ? NumEditKind::kMove : (rotation ? NumEditKind::kDegree : NumEditKind::kPlain);
    EXPECT_EQ(g_chars[0].kind, want) << id;
    EXPECT_EQ(g_chars[0].charParam, 0x4235u) << id;
    EXPECT_EQ(g_chars[0].plugin, move || rotation ? kPlugin : nullptr) << id;
  }
}

TEST_F(DialogRoutesTest, TheVerdictAloneDecidesWhetherTheFieldGetsTheCharacter) {
  HWND field = Control(ctl::kRotateX);
  SetWindowTextA(field, "");
  char text[16] = {};
  for (KeyVerdict verdict : {KeyVerdict::kToField, KeyVerdict::kConsume, KeyVerdict::kBeep,
                             KeyVerdict::kRunAndConsume, KeyVerdict::kToField}) {
    g_verdict = verdict;
    SendMessageA(field, WM_CHAR, 'x', 1);  // a letter: only the verdict lets it in
  }
  GetWindowTextA(field, text, sizeof text);
  EXPECT_STREQ(text, "xx");
}

TEST_F(DialogRoutesTest, ReturnPressedInAMoveOrRotationFieldIsTheFieldsOwnNotTheDefaultButtons) {
  m_dialog->SetEditPlugin(kPlugin);
  for (int id : {ctl::kMoveY, ctl::kRotateZ}) {
    PressKey(Control(id), VK_RETURN);
    ASSERT_EQ(g_chars.size(), 1u) << id;
    EXPECT_EQ(g_chars[0].charParam, WPARAM{'\r'});
    EXPECT_EQ(g_chars[0].kind, id == ctl::kMoveY ? NumEditKind::kMove : NumEditKind::kDegree);
    EXPECT_TRUE(CommandIds().empty()) << id;
  }
  // Elsewhere the dialog's keyboard handling presses the default button, and that
  // command goes the same way as a click.
  PressKey(Control(ctl::kCentreX), VK_RETURN);
  EXPECT_EQ(CommandIds(), std::vector<unsigned>{static_cast<unsigned>(ctl::kMove)});
}

TEST_F(DialogRoutesTest, ADestroyedPanelHoldsNoWindowHandle) {
  m_dialog->DestroyPanel();
  EXPECT_FALSE(IsWindow(m_panel));
  EXPECT_EQ(m_dialog->Handle(), nullptr);
}

// Memory from the top of the address space, which on the 64-bit edition lies above
// 4 GiB: a pointer to the panel object cut to 32 bits on its way through the window's
// data would lose it there.
TEST_F(DialogRoutesTest, APanelObjectHighInMemoryGetsItsCommandsAndCharacters) {
  void* memory = VirtualAlloc(nullptr, sizeof(CMainDlg), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN,
                              PAGE_READWRITE);
  ASSERT_NE(memory, nullptr);
  if (sizeof(void*) == 8) {
    ASSERT_GT(reinterpret_cast<uintptr_t>(memory), uintptr_t{0xFFFFFFFFu});
  }
  auto* dialog = new (memory) CMainDlg(kPlugin);
  ASSERT_TRUE(dialog->CreatePanel(nullptr));
  dialog->SetEditPlugin(kPlugin);
  g_commands.clear();
  SendMessageA(dialog->Handle(), WM_COMMAND, ctl::kCopy, 0);
  EXPECT_EQ(CommandIds(), std::vector<unsigned>{static_cast<unsigned>(ctl::kCopy)});
  g_chars.clear();
  SendMessageA(GetDlgItem(dialog->Handle(), ctl::kMoveX), WM_CHAR, '7', 1);
  EXPECT_EQ(g_chars.size(), 1u);
  if (!g_chars.empty()) {
    EXPECT_EQ(g_chars[0].plugin, kPlugin);
  }
  dialog->~CMainDlg();
  VirtualFree(memory, 0, MEM_RELEASE);
}

}  // namespace
