// CMainDlg and its numeric edits carry out every command and every typed character
// through RunPanelCommand and RunTypedChar (panel/command_routing.h), the code the
// headless panel also calls. This program links the real dialog, its edits and the
// window layer, but not that code: the two functions below take its place and record
// what reaches them. A dialog or an edit that ran a button, the paste-button rule or
// Return in a way of its own would leave the record empty.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
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

// Memory from the top of the address space, which on the 64-bit edition lies above
// 4 GiB: a pointer to it cut to 32 bits on its way would lose what lies there.
class HighMemory {
 public:
  explicit HighMemory(size_t size)
      : m_memory(
            VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE)) {}
  ~HighMemory() {
    if (m_memory != nullptr) VirtualFree(m_memory, 0, MEM_RELEASE);
  }
  HighMemory(const HighMemory&) = delete;
  HighMemory& operator=(const HighMemory&) = delete;

  void* get() const { return m_memory; }
  // There, and above 4 GiB where pointers have room for more.
  bool IsHigh() const {
    return m_memory != nullptr &&
           (sizeof(void*) == 4 || reinterpret_cast<uintptr_t>(m_memory) > uintptr_t{0xFFFFFFFFu});
  }

 private:
  void* const m_memory;
};

class DialogRoutesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // What the library's entry routine does at load: the common-control classes the
    // panel's tooltip needs, the module and this thread's loop.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
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

  // The host's loop: the panel's message filter first, as a modeller runs it. The
  // loop's message lies where the host keeps it: in its own frame unless given.
  void Pump(MSG* msg = nullptr) {
    MSG own;
    if (msg == nullptr) msg = &own;
    while (PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE)) {
      if (s_loop.PreTranslateMessage(msg)) continue;
      TranslateMessage(msg);
      DispatchMessageW(msg);
    }
  }

  // A key pressed and released in control, through the loop. What is recorded starts
  // after the focus has moved there (a field tells the panel that it got the focus).
  void PressKey(HWND control, UINT key, MSG* loopMessage = nullptr) {
    SetActiveWindow(m_panel);
    SetFocus(control);
    Pump();
    ASSERT_EQ(GetFocus(), control);
    g_commands.clear();
    g_chars.clear();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(control, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(control, WM_KEYUP, key, 1 | scan | LPARAM{0x40000000} | LPARAM{1} << 31);
    Pump(loopMessage);
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
  HighMemory memory(sizeof(CMainDlg));
  ASSERT_TRUE(memory.IsHigh());
  auto* dialog = new (memory.get()) CMainDlg(kPlugin);
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
}

// The host's loop with its message above 4 GiB on the 64-bit edition: the message
// passes the loop's filters to the panel's dialog keyboard handling, which asks the
// focused field with WM_GETDLGCODE whether it wants the key, and Return in a move or
// rotation field stays the field's. (Windows may hand the field the host's very
// message there; Wine hands it a copy in its own frame, so the test below sends
// WM_GETDLGCODE with a message high in memory itself.)
TEST_F(DialogRoutesTest, ReturnStaysTheFieldsWithTheHostsMessageHighInMemory) {
  HighMemory memory(sizeof(MSG));
  ASSERT_TRUE(memory.IsHigh());
  MSG* loopMessage = static_cast<MSG*>(memory.get());
  m_dialog->SetEditPlugin(kPlugin);
  for (int id :
       {ctl::kMoveX, ctl::kMoveY, ctl::kMoveZ, ctl::kRotateX, ctl::kRotateY, ctl::kRotateZ}) {
    PressKey(Control(id), VK_RETURN, loopMessage);
    ASSERT_EQ(g_chars.size(), 1u) << id;
    EXPECT_EQ(g_chars[0].charParam, WPARAM{'\r'}) << id;
    EXPECT_TRUE(CommandIds().empty()) << id;
  }
  PressKey(Control(ctl::kCentreX), VK_RETURN, loopMessage);
  EXPECT_EQ(CommandIds(), std::vector<unsigned>{static_cast<unsigned>(ctl::kMove)});
}

// Every message of a field whose lParam points at something, with that something above
// 4 GiB on the 64-bit edition, answers as with it in the frame: the key message of
// WM_GETDLGCODE (which the move and rotation fields read themselves), and the texts,
// rectangle and selection bounds that the taken-over fields pass on to their own
// procedure. So does the panel's text, which its dialog procedure leaves to the system.
TEST_F(DialogRoutesTest, StructuresHighInMemoryReachEveryFieldWhole) {
  struct Block {
    MSG key;
    RECT rect;
    DWORD selStart, selEnd;
    char textIn[32];
    char textOut[64];
  };
  HighMemory memory(sizeof(Block));
  ASSERT_TRUE(memory.IsHigh());
  auto* high = new (memory.get()) Block{};
  m_dialog->SetEditPlugin(kPlugin);

  int fields = 0;
  for (const ControlSpec& control : kPanelControls) {
    if (!IsValueField(control.kind)) continue;
    ++fields;
    const int id = control.id;
    HWND field = Control(id);
    const bool operation =
        std::find(std::begin(kMoveFields), std::end(kMoveFields), id) != std::end(kMoveFields) ||
        std::find(std::begin(kRotationFields), std::end(kRotationFields), id) !=
            std::end(kRotationFields);

    for (UINT key : {UINT{VK_RETURN}, UINT{VK_TAB}, UINT{VK_ESCAPE}, UINT{'7'}}) {
      MSG low = {};
      low.hwnd = field;
      low.message = WM_KEYDOWN;
      low.wParam = key;
      low.lParam = 1;
      high->key = low;
      const LRESULT fromLow =
          SendMessageA(field, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&low));
      const LRESULT fromHigh =
          SendMessageA(field, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&high->key));
      EXPECT_EQ(fromHigh, fromLow) << id << " key " << key;
      if (key == VK_RETURN) {
        EXPECT_EQ((fromHigh & DLGC_WANTALLKEYS) != 0, operation) << id;
      }
    }

    std::snprintf(high->textIn, sizeof high->textIn, "-%d.5", id);
    EXPECT_TRUE(SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(high->textIn))) << id;
    char shown[64] = {};
    GetWindowTextA(field, shown, sizeof shown);
    EXPECT_STREQ(shown, high->textIn);
    std::memset(high->textOut, 'x', sizeof high->textOut);
    const LRESULT length = SendMessageA(field, WM_GETTEXT, sizeof high->textOut,
                                        reinterpret_cast<LPARAM>(high->textOut));
    EXPECT_EQ(length, static_cast<LRESULT>(std::strlen(shown))) << id;
    EXPECT_STREQ(high->textOut, shown);

    RECT lowRect = {};
    SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&lowRect));
    high->rect = {};
    SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&high->rect));
    EXPECT_TRUE(EqualRect(&high->rect, &lowRect)) << id;
    EXPECT_GT(lowRect.right, lowRect.left) << id;

    SendMessageA(field, EM_SETSEL, 1, 3);
    high->selStart = high->selEnd = 99;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&high->selStart),
                 reinterpret_cast<LPARAM>(&high->selEnd));
    EXPECT_EQ(high->selStart, 1u) << id;
    EXPECT_EQ(high->selEnd, 3u) << id;
  }
  EXPECT_EQ(fields, 19);
  // Nothing of the above was a typed character, nor a command.
  EXPECT_TRUE(g_chars.empty());

  std::memset(high->textOut, 'x', sizeof high->textOut);
  SendMessageA(m_panel, WM_GETTEXT, sizeof high->textOut, reinterpret_cast<LPARAM>(high->textOut));
  EXPECT_STREQ(high->textOut, kPanelTitle);
}

}  // namespace
