// The real panel of Gridwell.dll under the stand-in host: the dialog against the
// layout table, the initial state, the keystroke filter on real edit controls, the
// panel's own commands and keys, keys pressed through the host's message loop, what it
// paints where controls overlap, where the panel opens (on one screen or on two), and
// what it does when creation or its icon fails, or when its template does not ask to be
// topmost. Driven as the scenario tool drives it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "host/host_window_win32.h"
#include "host/import_patch_win32.h"
#include "host/stand_in_host.h"
#include "host/win32_panel_driver.h"
#include "panel/control_ids.h"
#include "panel/layout.h"
#include "panel/centring.h"
#include "plugin/gridshift_plugin.h"
#include "tests/support/caption_band.h"
#include "tests/support/resource_image.h"
#include "tests/win32/dialog_template.h"

namespace {

typedef int (*MQInitProc)(const char*);
typedef int (*MQOnEventProc)(MQDocument, int, void*);

struct LoadedPlugin {
  HMODULE module = nullptr;
  MQOnEventProc onEvent = nullptr;
  bool bound = false;
};

const LoadedPlugin& Plugin() {
  static const LoadedPlugin plugin = [] {
    LoadedPlugin p;
    standin::CreateHostMainWindow();
    p.module = LoadLibraryA(GRIDWELL_PLUGIN_PATH);
    if (p.module == nullptr) return p;
    auto init =
        reinterpret_cast<MQInitProc>(reinterpret_cast<void*>(GetProcAddress(p.module, "MQInit")));
    p.onEvent = reinterpret_cast<MQOnEventProc>(
        reinterpret_cast<void*>(GetProcAddress(p.module, "MQOnEvent")));
    p.bound = init != nullptr && init(GRIDWELL_HOSTAPI_PATH) == 1;
    return p;
  }();
  return plugin;
}

BOOL CALLBACK TakeIfPanel(HWND window, LPARAM out) {
  char className[16] = {}, title[64] = {};
  GetClassNameA(window, className, sizeof(className));
  GetWindowTextA(window, title, sizeof(title));
  if (lstrcmpA(className, "#32770") != 0 || lstrcmpA(title, kPanelTitle) != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The panel window of this thread: other programs on the same display (tests run
// side by side) may show a panel of the same title.
HWND OurPanel() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &TakeIfPanel, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring Wide(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
  text.resize(static_cast<size_t>(length) - 1);
  return text;
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The control as the template must declare it.
DWORD ExpectedStyle(const ControlSpec& c) {
  DWORD style = WS_CHILD | ((c.flags & kHidden) ? 0 : WS_VISIBLE);
  switch (c.kind) {
    case ControlKind::kGroupBox:
      style |= BS_GROUPBOX;
      break;
    case ControlKind::kStaticLabel:
      style |= SS_LEFT | WS_GROUP;
      break;
    case ControlKind::kAutoRadio:
      style |= BS_AUTORADIOBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kPushButton:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kDefaultPushButton:
      style |= BS_DEFPUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kEditableField:
      style |= ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
      break;
    case ControlKind::kReadOnlyField:
      style |= ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | ES_READONLY;
      break;
  }
  if (c.flags & kStartsGroup) style |= WS_GROUP;
  if (c.flags & kClipsSiblings) style |= WS_CLIPSIBLINGS;
  return style;
}

const wchar_t* ExpectedClass(ControlKind kind) {
  if (kind == ControlKind::kStaticLabel) return L"Static";
  if (IsValueField(kind)) return L"Edit";
  return L"Button";
}

const wchar_t* ClassOfAtom(WORD atom) {
  switch (atom) {
    case 0x80:
      return L"Button";
    case 0x81:
      return L"Edit";
    case 0x82:
      return L"Static";
    default:
      return L"?";
  }
}

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Plugin().module, nullptr) << "cannot load " GRIDWELL_PLUGIN_PATH;
    ASSERT_TRUE(Plugin().bound) << "MQInit did not bind the stand-in host";
    m_doc = standin::Host::Instance().Reset().Handle();
    ASSERT_EQ(Event(1), 1);
    m_driver.reset(CreateWin32PanelDriver());
    ASSERT_TRUE(m_driver->Exists());
    m_panel = OurPanel();
    ASSERT_NE(m_panel, nullptr);
  }

  void TearDown() override {
    if (Plugin().onEvent != nullptr) Event(2);
  }

  int Event(int code, void* option = nullptr) { return Plugin().onEvent(m_doc, code, option); }
  int Show(int flag) {
    int32_t value = flag;
    return Event(100, &value);
  }

  std::string Text(int id) {
    char text[256] = {};
    m_driver->GetText(id, text, sizeof(text));
    return text;
  }

  void TypeText(int id, const char* text) {
    for (const char* c = text; *c != '\0'; ++c) m_driver->Type(id, *c);
  }

  standin::Host& host() { return standin::Host::Instance(); }

  MQDocument m_doc = nullptr;
  std::unique_ptr<PanelDriver> m_driver;
  HWND m_panel = nullptr;
};

TEST_F(PanelTest, TemplateMatchesTheLayoutTableControlByControl) {
  DialogTemplate t;
  ASSERT_TRUE(ReadDialogTemplate(Plugin().module, kPanelTemplateId, &t));
  EXPECT_EQ(t.style, DWORD{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT});
  EXPECT_EQ(t.exStyle,
            DWORD{WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT});
  EXPECT_EQ(t.x, kPanelRect.x);
  EXPECT_EQ(t.y, kPanelRect.y);
  EXPECT_EQ(t.cx, kPanelRect.cx);
  EXPECT_EQ(t.cy, kPanelRect.cy);
  EXPECT_FALSE(t.hasMenu);
  EXPECT_FALSE(t.hasClass);
  EXPECT_EQ(t.title, Wide(kPanelTitle));
  EXPECT_EQ(t.pointSize, kPanelFontPointSize);
  EXPECT_EQ(t.fontFace, Wide(kPanelFontFace));
  ASSERT_EQ(t.items.size(), size_t{kPanelControlCount});

  for (int i = 0; i < kPanelControlCount; ++i) {
    const ControlSpec& control = kPanelControls[i];
    const TemplateItem& item = t.items[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", ID " + std::to_string(control.id));
    EXPECT_EQ(item.id, control.id);
    const std::wstring className =
        item.classAtom != 0 ? std::wstring(ClassOfAtom(item.classAtom)) : item.className;
    EXPECT_EQ(_wcsicmp(className.c_str(), ExpectedClass(control.kind)), 0);
    EXPECT_EQ(item.text, Wide(control.label));
    EXPECT_EQ(item.style, ExpectedStyle(control));
    EXPECT_EQ(item.exStyle, 0u);
    EXPECT_EQ(item.x, control.rect.x);
    EXPECT_EQ(item.y, control.rect.y);
    EXPECT_EQ(item.cx, control.rect.cx);
    EXPECT_EQ(item.cy, control.rect.cy);
  }
}

TEST_F(PanelTest, CreatedControlsMatchTheLayoutTableControlByControl) {
  int i = 0;
  for (HWND child = GetWindow(m_panel, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT), ++i) {
    ASSERT_LT(i, kPanelControlCount);
    const ControlSpec& control = kPanelControls[i];
    SCOPED_TRACE("control " + std::to_string(i) + ", ID " + std::to_string(control.id));
    EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, control.id);
    EXPECT_EQ(_wcsicmp(ClassOf(child).c_str(), ExpectedClass(control.kind)), 0);
    // Value fields hold what the plug-in wrote at start instead of the empty label.
    if (!IsValueField(control.kind)) {
      EXPECT_EQ(WindowText(child), Wide(control.label));
    }

    // The dialog manager converts position and size separately, as MapDialogRect
    // converts each of the four numbers.
    RECT units = {control.rect.x, control.rect.y, control.rect.cx, control.rect.cy};
    MapDialogRect(m_panel, &units);
    const RECT expected = {units.left, units.top, units.left + units.right,
                           units.top + units.bottom};
    RECT actual;
    GetWindowRect(child, &actual);
    MapWindowPoints(HWND_DESKTOP, m_panel, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);

    // The frame bit of an edit may come out as a sunken client edge; every other
    // declared bit (kind, alignment, read-only, tab stop, group, visibility) must be
    // there as declared. Enabled state is the initialisation's business.
    const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
    if (IsValueField(control.kind)) {
      EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE));
    }
    DWORD mask = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS | 0xFFFF;
    if (control.kind == ControlKind::kAutoRadio) {
      // Checking a radio gives it the tab stop of its group and takes it from the
      // others, so that Tab lands on the chosen one.
      mask &= ~DWORD{WS_TABSTOP};
      const bool checked = SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
      EXPECT_EQ((style & WS_TABSTOP) != 0, checked);
    }
    EXPECT_EQ(style & mask, ExpectedStyle(control) & mask);
  }
  EXPECT_EQ(i, kPanelControlCount);
}

TEST_F(PanelTest, PanelWindowIsAHiddenTopmostToolWindowOwnedByTheHost) {
  EXPECT_FALSE(m_driver->IsVisible());
  EXPECT_EQ(GetWindow(m_panel, GW_OWNER), static_cast<HWND>(host().mainWindow));
  const LONG style = GetWindowLongA(m_panel, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(m_panel, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CHILD),
            WS_POPUP | WS_CAPTION | WS_SYSMENU);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(exStyle & WS_EX_CONTROLPARENT);
  EXPECT_EQ(WindowText(m_panel), L"Gridwell 0.7");

  // Both icons set, at the system's sizes.
  for (WPARAM which : {WPARAM{ICON_BIG}, WPARAM{ICON_SMALL}}) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(m_panel, WM_GETICON, which, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(which == ICON_BIG ? SM_CXICON : SM_CXSMICON));
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }

  // Centred on the visible owner, inside the work area.
  RECT owner, panel, area;
  GetWindowRect(static_cast<HWND>(host().mainWindow), &owner);
  GetWindowRect(m_panel, &panel);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const ScreenRect reference = {owner.left, owner.top, owner.right, owner.bottom};
  const ScreenPoint corner = CentrePanel(&reference, {area.left, area.top, area.right, area.bottom},
                                         panel.right - panel.left, panel.bottom - panel.top);
  EXPECT_EQ(panel.left, corner.x);
  EXPECT_EQ(panel.top, corner.y);
}

TEST_F(PanelTest, StartsInGlobalRelativeModeWithPasteButtonsDisabled) {
  EXPECT_TRUE(m_driver->IsChecked(ctl::kGlobal));
  EXPECT_FALSE(m_driver->IsChecked(ctl::kLocal));
  EXPECT_TRUE(m_driver->IsChecked(ctl::kRelative));
  EXPECT_FALSE(m_driver->IsChecked(ctl::kAbsolute));
  for (int id : ctl::kPasteButtons) EXPECT_FALSE(m_driver->IsEnabled(id)) << id;
  for (const ControlSpec& c : kPanelControls) {
    bool paste = false;
    for (int id : ctl::kPasteButtons) paste = paste || id == c.id;
    if (IsButton(c.kind) && !paste) {
      EXPECT_TRUE(m_driver->IsEnabled(c.id)) << c.id;
    }
  }
  for (int id : {ctl::kMoveX, ctl::kMoveY, ctl::kMoveZ, ctl::kRotateX, ctl::kRotateY, ctl::kRotateZ,
                 ctl::kStoredX, ctl::kStoredY, ctl::kStoredZ}) {
    EXPECT_EQ(Text(id), "0.000") << id;
  }
  EXPECT_EQ(Text(ctl::kCentreX), "");
  EXPECT_EQ(m_driver->BeepCount(), 0);
}

TEST_F(PanelTest, ValueModeRadiosSwitchThePasteButtons) {
  ASSERT_TRUE(m_driver->Click(ctl::kAbsolute));
  EXPECT_TRUE(m_driver->IsChecked(ctl::kAbsolute));
  EXPECT_FALSE(m_driver->IsChecked(ctl::kRelative));
  for (int id : ctl::kPasteButtons) EXPECT_TRUE(m_driver->IsEnabled(id)) << id;

  m_driver->Click(ctl::kLocal);  // the coordinate mode leaves them alone
  EXPECT_TRUE(m_driver->IsChecked(ctl::kLocal));
  EXPECT_FALSE(m_driver->IsChecked(ctl::kGlobal));
  for (int id : ctl::kPasteButtons) EXPECT_TRUE(m_driver->IsEnabled(id)) << id;

  m_driver->Click(ctl::kRelative);
  for (int id : ctl::kPasteButtons) EXPECT_FALSE(m_driver->IsEnabled(id)) << id;
  EXPECT_TRUE(m_driver->IsEnabled(ctl::kCopy));
  m_driver->Click(ctl::kRelative);  // again: stays disabled
  for (int id : ctl::kPasteButtons) EXPECT_FALSE(m_driver->IsEnabled(id)) << id;
}

TEST_F(PanelTest, DigitsPointAndMinusReachAMoveFieldAndOtherCharactersBeep) {
  m_driver->SetText(ctl::kMoveX, "");
  TypeText(ctl::kMoveX, "12.5");
  EXPECT_EQ(Text(ctl::kMoveX), "12.5");
  EXPECT_EQ(m_driver->BeepCount(), 0);

  TypeText(ctl::kMoveX, "-.");  // accepted anywhere, any number of times
  EXPECT_EQ(Text(ctl::kMoveX), "12.5-.");
  m_driver->Type(ctl::kMoveX, '\b');
  m_driver->Type(ctl::kMoveX, '\b');
  EXPECT_EQ(Text(ctl::kMoveX), "12.5");
  EXPECT_EQ(m_driver->BeepCount(), 0);

  // Letters (exponents too), sign, blank, comma, the clipboard and undo control
  // codes, and bytes from 0x80 up: one beep each, text unchanged.
  const char rejected[] = {'a',
                           'e',
                           'E',
                           '+',
                           ' ',
                           ',',
                           0x16,
                           0x03,
                           0x18,
                           0x1A,
                           static_cast<char>(0x80),
                           static_cast<char>(0xE9)};
  int beeps = 0;
  for (char c : rejected) {
    m_driver->Type(ctl::kMoveX, c);
    EXPECT_EQ(m_driver->BeepCount(), ++beeps) << "character " << (c & 0xFF);
  }
  EXPECT_EQ(Text(ctl::kMoveX), "12.5");

  m_driver->Type(ctl::kMoveX, '\t');  // swallowed silently in a move field
  EXPECT_EQ(Text(ctl::kMoveX), "12.5");
  EXPECT_EQ(m_driver->BeepCount(), beeps);
}

TEST_F(PanelTest, ReadOnlyFieldsPassDigitsToTheFieldAndBeepAtLetters) {
  m_driver->Type(ctl::kCentreX, '5');
  EXPECT_EQ(Text(ctl::kCentreX), "");  // the read-only field ignores it
  EXPECT_EQ(m_driver->BeepCount(), 0);
  m_driver->Type(ctl::kStoredY, 'x');
  EXPECT_EQ(m_driver->BeepCount(), 1);
  EXPECT_EQ(Text(ctl::kStoredY), "0.000");

  m_driver->SetText(ctl::kRotateY, "");
  TypeText(ctl::kRotateY, "-90");
  m_driver->Type(ctl::kRotateY, 'q');
  EXPECT_EQ(Text(ctl::kRotateY), "-90");
  EXPECT_EQ(m_driver->BeepCount(), 2);
}

TEST_F(PanelTest, ReturnInAMoveFieldMovesTheSelectionWithAllThreeFields) {
  standin::Document& doc = host().document();
  const int object = doc.AddObject("box", {{0, 0, 0}, {5, 5, 5}});
  doc.currentObject = object;
  doc.SelectVertex(object, 0);
  m_driver->SetText(ctl::kMoveX, "1");
  m_driver->SetText(ctl::kMoveY, "2");
  m_driver->SetText(ctl::kMoveZ, "3");

  m_driver->Type(ctl::kMoveY, '\r');
  EXPECT_EQ(host().stationCallbacks, 1);
  const standin::Vertex moved = doc.VertexAt(object, 0);
  EXPECT_FLOAT_EQ(moved.x, 1);
  EXPECT_FLOAT_EQ(moved.y, 2);
  EXPECT_FLOAT_EQ(moved.z, 3);
  const standin::Vertex untouched = doc.VertexAt(object, 1);
  EXPECT_FLOAT_EQ(untouched.x, 5);
  EXPECT_EQ(m_driver->BeepCount(), 0);

  // Return in a rotation field runs the rotation; in a read-only field nothing.
  m_driver->Type(ctl::kRotateZ, '\r');
  EXPECT_EQ(host().stationCallbacks, 2);
  m_driver->Type(ctl::kCentreY, '\r');
  EXPECT_EQ(host().stationCallbacks, 2);
}

// The real edit control hands over at most 255 characters of a field: a digit in the
// 255th place still counts, one in the 256th does not.
TEST_F(PanelTest, AFieldIsReadUpToItsTwoHundredAndFiftyFifthCharacter) {
  standin::Document& doc = host().document();
  const int object = doc.AddObject("point", {{0, 0, 0}});
  doc.currentObject = object;
  doc.SelectVertex(object, 0);
  m_driver->SetText(ctl::kMoveX, (std::string(254, '0') + "1").c_str());
  m_driver->SetText(ctl::kMoveY, (std::string(255, '0') + "1").c_str());
  m_driver->SetText(ctl::kMoveZ, (std::string(253, ' ') + "-2").c_str());
  ASSERT_TRUE(m_driver->Click(ctl::kMove));
  const standin::Vertex moved = doc.VertexAt(object, 0);
  EXPECT_EQ(moved.x, 1);
  EXPECT_EQ(moved.y, 0);
  EXPECT_EQ(moved.z, -2);
}

TEST_F(PanelTest, CommandsMatchOnTheLowWordWhateverTheNotification) {
  m_driver->SetText(ctl::kRotateX, "abc");
  ASSERT_TRUE(m_driver->Command(ctl::kClearRotation, BN_DOUBLECLICKED));
  EXPECT_EQ(host().stationCallbacks, 1);
  EXPECT_EQ(Text(ctl::kRotateX), "0.000");

  // The hidden button takes no click, but its command still runs its operation.
  ASSERT_TRUE(m_driver->Click(ctl::kRearView));
  EXPECT_EQ(host().stationCallbacks, 1);
  m_driver->Command(ctl::kRearView, 0);
  EXPECT_EQ(host().stationCallbacks, 2);

  // A command from a value field is not the panel's business.
  m_driver->Command(ctl::kMoveX, EN_CHANGE);
  EXPECT_EQ(host().stationCallbacks, 2);
}

TEST_F(PanelTest, CloseBoxHidesClearsShownAndTellsTheHost) {
  ASSERT_EQ(Show(1), 1);
  ASSERT_TRUE(m_driver->IsVisible());
  SendMessageA(m_panel, WM_SYSCOMMAND, SC_CLOSE, 0);
  standin::PumpHostMessages();  // the close request arrives as a posted command
  EXPECT_FALSE(m_driver->IsVisible());
  EXPECT_EQ(Event(101), 0);
  ASSERT_EQ(host().sentMessages.size(), 1u);
  const standin::SentMessage& sent = host().sentMessages[0];
  EXPECT_EQ(sent.message, 100);
  EXPECT_EQ(sent.record.product, kProductId);
  EXPECT_EQ(sent.record.id, kPluginId);
  EXPECT_EQ(sent.record.index, 0);
  EXPECT_EQ(sent.option, 0);
  EXPECT_EQ(Text(ctl::kMoveX), "0.000");  // the window and its texts survive

  // Command 1 only hides: the station still counts as shown, nobody is told.
  ASSERT_EQ(Show(1), 1);
  m_driver->Command(ctl::kHideCommand, 0);
  EXPECT_FALSE(m_driver->IsVisible());
  EXPECT_EQ(Event(101), 1);
  EXPECT_EQ(host().sentMessages.size(), 1u);
}

TEST_F(PanelTest, KeysOnThePanelItselfBeepExceptTabWhichMovesTheFocus) {
  ASSERT_EQ(Show(1), 1);
  SetFocus(GetDlgItem(m_panel, ctl::kMoveX));
  ASSERT_EQ(m_driver->FocusedControl(), ctl::kMoveX);
  m_driver->PanelKey(VK_TAB);
  EXPECT_EQ(m_driver->FocusedControl(), ctl::kMoveY);
  EXPECT_EQ(m_driver->BeepCount(), 0);

  m_driver->PanelKey('A');
  m_driver->PanelKey(VK_SHIFT);
  EXPECT_EQ(m_driver->BeepCount(), 2);
  EXPECT_EQ(m_driver->FocusedControl(), ctl::kMoveY);
}

TEST_F(PanelTest, ANewPanelAfterStopFiltersAgainAndCountsBeepsAfresh) {
  m_driver->Type(ctl::kMoveX, 'z');
  ASSERT_EQ(m_driver->BeepCount(), 1);
  Event(2);
  EXPECT_FALSE(m_driver->Exists());
  ASSERT_EQ(Event(1), 1);
  ASSERT_TRUE(m_driver->Exists());
  EXPECT_EQ(m_driver->BeepCount(), 0);
  m_driver->SetText(ctl::kMoveX, "");
  TypeText(ctl::kMoveX, "7z");
  EXPECT_EQ(Text(ctl::kMoveX), "7");
  EXPECT_EQ(m_driver->BeepCount(), 1);
}

// --- Keys pressed through the host's message loop --------------------------------

// The tab stops a person reaches with Tab, in template order: editable fields and
// push buttons that are visible and enabled, and of each radio pair the checked one.
std::vector<int> ExpectedTabStops(PanelDriver& driver) {
  std::vector<int> stops;
  for (const ControlSpec& c : kPanelControls) {
    if ((c.flags & kHidden) != 0 || !driver.IsEnabled(c.id)) continue;
    const bool radio = c.kind == ControlKind::kAutoRadio;
    if (radio ? driver.IsChecked(c.id) : c.kind == ControlKind::kEditableField || IsButton(c.kind))
      stops.push_back(c.id);
  }
  return stops;
}

class PanelKeyboardTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    ASSERT_EQ(Show(1), 1);
    standin::PumpHostMessages();
  }
  // As a click into the control does.
  void Focus(int id) {
    SetFocus(GetDlgItem(m_panel, id));
    ASSERT_EQ(m_driver->FocusedControl(), id);
  }
};

TEST_F(PanelKeyboardTest, TabWalksEveryTabStopInTemplateOrderAndWrapsRound) {
  for (bool absolute : {false, true}) {
    SCOPED_TRACE(absolute ? "absolute mode" : "relative mode");
    if (absolute) m_driver->Click(ctl::kAbsolute);  // the paste buttons join in
    const std::vector<int> stops = ExpectedTabStops(*m_driver);
    ASSERT_GT(stops.size(), 20u);
    Focus(stops.back());
    for (size_t i = 0; i <= stops.size(); ++i) {
      ASSERT_TRUE(m_driver->PressKey(VK_TAB));
      EXPECT_EQ(m_driver->FocusedControl(), stops[i % stops.size()]) << "after Tab " << i + 1;
    }
  }
  EXPECT_EQ(m_driver->BeepCount(), 0);
  EXPECT_TRUE(host().sentMessages.empty());
}

TEST_F(PanelKeyboardTest, ReturnRunsTheFieldsOwnOperationOrElseTheDefaultButton) {
  standin::Document& doc = host().document();
  const int object = doc.AddObject("box", {{0, 0, 0}, {5, 5, 5}});
  doc.currentObject = object;
  doc.SelectVertex(object, 0);
  m_driver->SetText(ctl::kMoveX, "1");
  m_driver->SetText(ctl::kRotateY, "90");

  // Rotation field: the rotation, not the move. The vertex sits on the pivot, the
  // origin, so it stays; the move would have shifted it.
  Focus(ctl::kRotateY);
  m_driver->PressKey(VK_RETURN);
  EXPECT_EQ(host().stationCallbacks, 1);
  EXPECT_FLOAT_EQ(doc.VertexAt(object, 0).x, 0);
  EXPECT_FLOAT_EQ(doc.VertexAt(object, 1).x, 5);  // not selected
  EXPECT_EQ(m_driver->FocusedControl(), ctl::kRotateY);

  // Move field: the move, exactly once.
  Focus(ctl::kMoveZ);
  m_driver->PressKey(VK_RETURN);
  EXPECT_EQ(host().stationCallbacks, 2);
  EXPECT_FLOAT_EQ(doc.VertexAt(object, 0).x, 1);
  EXPECT_EQ(m_driver->FocusedControl(), ctl::kMoveZ);

  // Read-only field: the default button, Move.
  Focus(ctl::kStoredZ);
  m_driver->PressKey(VK_RETURN);
  EXPECT_EQ(host().stationCallbacks, 3);
  EXPECT_FLOAT_EQ(doc.VertexAt(object, 0).x, 2);

  // A push button reached by Tab is pressed itself: Clr of the move fields.
  Focus(ctl::kMove);
  m_driver->PressKey(VK_TAB);
  ASSERT_EQ(m_driver->FocusedControl(), ctl::kClearMove);
  m_driver->PressKey(VK_RETURN);
  EXPECT_EQ(host().stationCallbacks, 4);
  EXPECT_EQ(Text(ctl::kMoveX), "0.000");
  EXPECT_FLOAT_EQ(doc.VertexAt(object, 0).x, 2);

  // Once a push button has had the focus, Return in a field clicked into afterwards
  // still presses Move, not that button.
  m_driver->SetText(ctl::kMoveX, "1");
  Focus(ctl::kMoveZ);
  m_driver->PressKey(VK_TAB);
  m_driver->PressKey(VK_TAB);
  ASSERT_EQ(m_driver->FocusedControl(), ctl::kClearMove);
  EXPECT_EQ(SendMessageA(m_panel, DM_GETDEFID, 0, 0), MAKELONG(ctl::kMove, DC_HASDEFID));
  Focus(ctl::kCentreX);
  m_driver->PressKey(VK_RETURN);
  EXPECT_EQ(host().stationCallbacks, 5);
  EXPECT_FLOAT_EQ(doc.VertexAt(object, 0).x, 3);

  EXPECT_EQ(m_driver->BeepCount(), 0);
  EXPECT_EQ(host().editsOutsideCallback, 0);
}

TEST_F(PanelKeyboardTest, RefusedCallbackOnReturnChangesNothing) {
  standin::Document& doc = host().document();
  const int object = doc.AddObject("box", {{0, 0, 0}});
  doc.currentObject = object;
  doc.SelectVertex(object, 0);
  m_driver->SetText(ctl::kMoveY, "4");
  host().refuseStationCallbacks = true;
  Focus(ctl::kMoveY);
  m_driver->PressKey(VK_RETURN);
  EXPECT_EQ(host().stationCallbacks, 1);
  EXPECT_FLOAT_EQ(doc.VertexAt(object, 0).y, 0);
  EXPECT_EQ(Text(ctl::kMoveY), "4");
  EXPECT_EQ(Text(ctl::kCentreY), "");
  EXPECT_EQ(m_driver->BeepCount(), 0);
  host().refuseStationCallbacks = false;
}

TEST_F(PanelKeyboardTest, KeysTypedIntoAFieldPassTheFilterAsTheirCharacters) {
  m_driver->SetText(ctl::kMoveX, "");
  Focus(ctl::kMoveX);
  for (int key : {int{'1'}, VK_DECIMAL, int{'5'}}) m_driver->PressKey(key);
  EXPECT_EQ(Text(ctl::kMoveX), "1.5");
  EXPECT_EQ(m_driver->BeepCount(), 0);

  // A letter arrives as its character: one beep, the field unchanged. So does
  // the space bar.
  m_driver->PressKey('E');
  m_driver->PressKey(VK_SPACE);
  EXPECT_EQ(Text(ctl::kMoveX), "1.5");
  EXPECT_EQ(m_driver->BeepCount(), 2);
  // Shift alone makes no character: no beep.
  m_driver->PressKey(VK_SHIFT);
  EXPECT_EQ(m_driver->BeepCount(), 2);
}

TEST_F(PanelKeyboardTest, EscapeClosesLikeTheCloseBoxWhileCommandOneOnlyHides) {
  Focus(ctl::kRotateX);
  m_driver->PressKey(VK_ESCAPE);
  EXPECT_FALSE(m_driver->IsVisible());
  EXPECT_EQ(Event(101), 0);
  ASSERT_EQ(host().sentMessages.size(), 1u);
  EXPECT_EQ(host().sentMessages[0].message, 100);
  EXPECT_EQ(host().sentMessages[0].option, 0);
  EXPECT_EQ(Text(ctl::kRotateX), "0.000");  // the key typed nothing
  EXPECT_EQ(m_driver->BeepCount(), 0);

  // A hidden panel takes no key.
  m_driver->PressKey(VK_ESCAPE);
  m_driver->PressKey(VK_RETURN);
  EXPECT_EQ(host().sentMessages.size(), 1u);
  EXPECT_EQ(host().stationCallbacks, 0);
}

// --- What the panel paints ------------------------------------------------------

// The panel's client pixels inside area, as painted on the screen.
std::vector<uint32_t> PaintedPixels(HWND panel, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  std::vector<uint32_t> pixels;
  HDC window = GetDC(panel);
  HDC memory = CreateCompatibleDC(window);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ before = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, window, area.left, area.top, SRCCOPY)) {
      GdiFlush();
      const auto* first = static_cast<const uint32_t*>(bits);
      pixels.assign(first, first + static_cast<size_t>(width) * height);
    }
    SelectObject(memory, before);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(panel, window);
  return pixels;
}

void RepaintNow(HWND panel) {
  RedrawWindow(panel, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  standin::PumpHostMessages();
}

// A control that reaches into a group box's caption (the "Local" radio into "移動")
// must leave the caption as it would be without that control: the same pixels with
// the control shown and hidden.
TEST_F(PanelTest, ACaptionLooksTheSameWithAndWithoutTheControlsReachingIntoIt) {
  ASSERT_EQ(Show(1), 1);
  RepaintNow(m_panel);
  for (const ControlSpec& box : kPanelControls) {
    if (box.kind != ControlKind::kGroupBox) continue;
    const DialogRect band = caption_band::Of(box);
    std::vector<HWND> neighbours;
    for (const ControlSpec& c : kPanelControls) {
      if (&c != &box && caption_band::PaintsInto(c, band) && (c.flags & kHidden) == 0)
        neighbours.push_back(GetDlgItem(m_panel, c.id));
    }
    if (neighbours.empty()) continue;
    SCOPED_TRACE(box.label);

    RECT area = {band.x, band.y, band.x + band.cx, band.y + band.cy};
    MapDialogRect(m_panel, &area);
    const std::vector<uint32_t> shown = PaintedPixels(m_panel, area);
    for (HWND neighbour : neighbours) ShowWindow(neighbour, SW_HIDE);
    RepaintNow(m_panel);
    const std::vector<uint32_t> alone = PaintedPixels(m_panel, area);
    for (HWND neighbour : neighbours) ShowWindow(neighbour, SW_SHOW);
    RepaintNow(m_panel);

    ASSERT_FALSE(alone.empty()) << "the screen could not be read";
    // The caption itself is there to compare: more than one colour in its band.
    EXPECT_NE(std::count(alone.begin(), alone.end(), alone.front()),
              static_cast<std::ptrdiff_t>(alone.size()));
    ASSERT_EQ(shown.size(), alone.size());
    size_t differing = 0;
    for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != alone[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u) << "of " << shown.size() << " pixels painted over";
  }
}

// --- Where the panel opens ------------------------------------------------------

class PanelPlacementTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    m_owner = static_cast<HWND>(host().mainWindow);
    GetWindowRect(m_owner, &m_ownerRect);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &m_area, 0);
  }
  void TearDown() override {
    ShowWindow(m_owner, IsIconic(m_owner) ? SW_RESTORE : SW_SHOW);
    SetWindowPos(m_owner, nullptr, m_ownerRect.left, m_ownerRect.top,
                 m_ownerRect.right - m_ownerRect.left, m_ownerRect.bottom - m_ownerRect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PanelTest::TearDown();
  }
  // Stops and starts the station, so that a new panel opens; answers its rectangle.
  RECT Reopen() {
    Event(2);
    EXPECT_EQ(Event(1), 1);
    m_panel = OurPanel();
    RECT panel = {};
    GetWindowRect(m_panel, &panel);
    return panel;
  }

  HWND m_owner = nullptr;
  RECT m_ownerRect = {};
  RECT m_area = {};
};

TEST_F(PanelPlacementTest, AnOwnerHangingOffTheWorkAreaLeavesThePanelInside) {
  // Centred on this owner the panel would stick out to the right and below.
  SetWindowPos(m_owner, nullptr, m_area.right - 150, m_area.bottom - 100, 200, 150,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT panel = Reopen();
  EXPECT_EQ(panel.right, m_area.right);
  EXPECT_EQ(panel.bottom, m_area.bottom);
  EXPECT_GE(panel.left, m_area.left);

  // And off to the left and above.
  SetWindowPos(m_owner, nullptr, m_area.left - 180, m_area.top - 130, 200, 150,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT again = Reopen();
  EXPECT_EQ(again.left, m_area.left);
  EXPECT_EQ(again.top, m_area.top);
}

TEST_F(PanelPlacementTest, AHiddenOwnerIsNoReferenceThePanelCentresOnTheWorkArea) {
  SetWindowPos(m_owner, nullptr, m_area.left, m_area.top, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(m_owner, SW_HIDE);
  const RECT panel = Reopen();
  const int width = panel.right - panel.left;
  const int height = panel.bottom - panel.top;
  // The centre of the work area, halves truncated.
  EXPECT_EQ(panel.left, (m_area.left + m_area.right) / 2 - width / 2);
  EXPECT_EQ(panel.top, (m_area.top + m_area.bottom) / 2 - height / 2);
}

TEST_F(PanelPlacementTest, AMinimisedOwnerIsNoReferenceThePanelCentresOnTheWorkArea) {
  SetWindowPos(m_owner, nullptr, m_area.left, m_area.top, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(m_owner, SW_MINIMIZE);
  standin::PumpHostMessages();
  ASSERT_TRUE(IsIconic(m_owner));
  const RECT panel = Reopen();
  const int width = panel.right - panel.left;
  const int height = panel.bottom - panel.top;
  EXPECT_EQ(panel.left, (m_area.left + m_area.right) / 2 - width / 2);
  EXPECT_EQ(panel.top, (m_area.top + m_area.bottom) / 2 - height / 2);
}

// Two screens side by side, the left and the right half of the real one, for the
// plug-in's monitor queries: its imports of MonitorFromWindow and GetMonitorInfoA are
// pointed at these while a test runs. A window is on the screen it overlaps most.
namespace two_screens {

RECT g_left = {}, g_right = {};
const HMONITOR kLeft = reinterpret_cast<HMONITOR>(uintptr_t{0x51EF7});
const HMONITOR kRight = reinterpret_cast<HMONITOR>(uintptr_t{0x516E7});
void* g_realGetMonitorInfo = nullptr;

long Overlap(const RECT& a, const RECT& b) {
  RECT common;
  if (!IntersectRect(&common, &a, &b)) return 0;
  return (common.right - common.left) * (common.bottom - common.top);
}

HMONITOR ScreenOf(const RECT& window) {
  return Overlap(window, g_right) > Overlap(window, g_left) ? kRight : kLeft;
}

HMONITOR WINAPI MonitorFromWindowOnTwoScreens(HWND window, DWORD) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return ScreenOf(rect);
}

BOOL WINAPI GetMonitorInfoOnTwoScreens(HMONITOR monitor, LPMONITORINFO info) {
  if (monitor != kLeft && monitor != kRight) {
    return reinterpret_cast<decltype(&GetMonitorInfoA)>(g_realGetMonitorInfo)(monitor, info);
  }
  if (info == nullptr || info->cbSize < sizeof(MONITORINFO)) return FALSE;
  info->rcMonitor = info->rcWork = monitor == kLeft ? g_left : g_right;
  info->dwFlags = monitor == kLeft ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

// The plug-in sees the two screens for the life of this object.
class Installed {
 public:
  Installed(HMODULE plugin, const RECT& area) : m_plugin(plugin) {
    const LONG split = (area.left + area.right) / 2;
    g_left = {area.left, area.top, split, area.bottom};
    g_right = {split, area.top, area.right, area.bottom};
    m_monitorFromWindow = PatchImport(plugin, "user32.dll", "MonitorFromWindow",
                                      reinterpret_cast<void*>(&MonitorFromWindowOnTwoScreens));
    g_realGetMonitorInfo = PatchImport(plugin, "user32.dll", "GetMonitorInfoA",
                                       reinterpret_cast<void*>(&GetMonitorInfoOnTwoScreens));
  }
  ~Installed() {
    if (m_monitorFromWindow != nullptr)
      PatchImport(m_plugin, "user32.dll", "MonitorFromWindow", m_monitorFromWindow);
    if (g_realGetMonitorInfo != nullptr)
      PatchImport(m_plugin, "user32.dll", "GetMonitorInfoA", g_realGetMonitorInfo);
  }
  bool Active() const { return m_monitorFromWindow != nullptr && g_realGetMonitorInfo != nullptr; }
  Installed(const Installed&) = delete;
  Installed& operator=(const Installed&) = delete;

 private:
  HMODULE m_plugin;
  void* m_monitorFromWindow = nullptr;
};

ScreenRect AsScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace two_screens

// The owner reaches from the left screen well into the right one, so that it is on the
// right screen; the dialog manager opens the panel at the owner's client origin, on the
// left screen. The panel is centred on the owner and kept inside the owner's screen.
TEST_F(PanelPlacementTest, OnTwoScreensThePanelStaysOnItsOwnersScreen) {
  RECT size = {};
  GetWindowRect(m_panel, &size);
  const int width = size.right - size.left;
  const int height = size.bottom - size.top;
  const LONG split = (m_area.left + m_area.right) / 2;
  ASSERT_GE(split - m_area.left, width + 100) << "the work area is too small for two screens";
  SetWindowPos(m_owner, nullptr, split - width + 60, m_area.top + 100,
               m_area.right - 20 - (split - width + 60), 500, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT owner = {};
  GetWindowRect(m_owner, &owner);
  POINT origin = {0, 0};
  ClientToScreen(m_owner, &origin);
  const RECT opening = {origin.x, origin.y, origin.x + width, origin.y + height};

  RECT panel = {};
  {
    two_screens::Installed screens(Plugin().module, m_area);
    ASSERT_TRUE(screens.Active()) << "the plug-in does not import the monitor queries by name";
    ASSERT_EQ(two_screens::ScreenOf(owner), two_screens::kRight);
    ASSERT_EQ(two_screens::ScreenOf(opening), two_screens::kLeft);
    panel = Reopen();
  }
  const ScreenRect reference = two_screens::AsScreenRect(owner);
  const ScreenPoint onOwners =
      CentrePanel(&reference, two_screens::AsScreenRect(two_screens::g_right), width, height);
  const ScreenPoint onOwn =
      CentrePanel(&reference, two_screens::AsScreenRect(two_screens::g_left), width, height);
  ASSERT_NE(onOwners.x, onOwn.x);  // the two choices must differ for the test to tell
  EXPECT_EQ(panel.left, onOwners.x);
  EXPECT_EQ(panel.top, onOwners.y);
  EXPECT_GE(panel.left, split);
}

// --- Failures on the way in -----------------------------------------------------

TEST_F(PanelTest, AFailedWindowCreationAnswersZeroAndHoldsNothing) {
  Event(2);
  // The host's main window handle names a window that is gone.
  HWND gone = CreateWindowExA(0, "STATIC", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(gone, nullptr);
  DestroyWindow(gone);
  const MQWindowHandle owner = host().mainWindow;
  host().mainWindow = gone;

  EXPECT_EQ(Event(1), 0);
  EXPECT_FALSE(m_driver->Exists());
  EXPECT_EQ(OurPanel(), nullptr);
  EXPECT_EQ(Event(101), 0);
  EXPECT_EQ(Show(1), 0);
  EXPECT_EQ(Event(1), 0);  // tried again, failed again, still nothing held
  EXPECT_FALSE(m_driver->Exists());
  EXPECT_TRUE(host().sentMessages.empty());

  host().mainWindow = owner;
  ASSERT_EQ(Event(1), 1);
  ASSERT_TRUE(m_driver->Exists());
  EXPECT_EQ(Show(1), 1);
  EXPECT_EQ(Event(101), 1);
  EXPECT_EQ(Text(ctl::kStoredX), "0.000");
}

// --- Copies of the plug-in with one resource changed ----------------------------

// Renumbers icon group kPanelIconId, so that the library loads as before but has no
// icon by that number. False when the image has none.
bool RenumberPanelIcon(std::string& image) {
  return ResourceImage(image).Renumber(14, kPanelIconId, kPanelIconId + 1);  // RT_GROUP_ICON
}

// Takes WS_EX_TOPMOST out of the extended style of the panel's dialog template (a
// DLGTEMPLATE: the style, then the extended style). False when it was not there.
bool DropTopmostFromTemplate(std::string& image) {
  size_t size = 0;
  char* data = ResourceImage(image).Data(5, kPanelTemplateId, &size);  // RT_DIALOG
  if (data == nullptr || size < 2 * sizeof(DWORD)) return false;
  DWORD exStyle = 0;
  std::memcpy(&exStyle, data + sizeof(DWORD), sizeof(exStyle));
  if ((exStyle & WS_EX_TOPMOST) == 0) return false;
  exStyle &= ~DWORD{WS_EX_TOPMOST};
  std::memcpy(data + sizeof(DWORD), &exStyle, sizeof(exStyle));
  return true;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A copy of the plug-in changed by patch, written to the temporary folder under name,
// loaded beside the real one and bound to the stand-in host; unloaded and deleted with
// this object. Each step that worked leaves its member set.
class PluginCopy {
 public:
  PluginCopy(const char* name, bool (*patch)(std::string&)) {
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    m_path = std::string(directory) + name;
    std::string image = ReadFile(GRIDWELL_PLUGIN_PATH);
    patched = patch(image);
    if (!patched) return;
    {
      std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
      out.write(image.data(), static_cast<std::streamsize>(image.size()));
      if (!out.good()) return;
    }
    module = LoadLibraryA(m_path.c_str());
    if (module == nullptr) return;
    auto init =
        reinterpret_cast<MQInitProc>(reinterpret_cast<void*>(GetProcAddress(module, "MQInit")));
    onEvent = reinterpret_cast<MQOnEventProc>(
        reinterpret_cast<void*>(GetProcAddress(module, "MQOnEvent")));
    bound = init != nullptr && onEvent != nullptr && init(GRIDWELL_HOSTAPI_PATH) == 1;
  }
  ~PluginCopy() {
    if (module != nullptr) FreeLibrary(module);
    DeleteFileA(m_path.c_str());
  }
  PluginCopy(const PluginCopy&) = delete;
  PluginCopy& operator=(const PluginCopy&) = delete;

  bool patched = false;
  HMODULE module = nullptr;
  MQOnEventProc onEvent = nullptr;
  bool bound = false;

 private:
  std::string m_path;
};

// Loading icon 40000 fails in this copy, and its panel opens and works without icons.
TEST(PanelWithoutIconTest, AnIconThatFailsToLoadIsSkipped) {
  ASSERT_NE(Plugin().module, nullptr);  // the host's window exists, the original is loaded
  PluginCopy copy("GridwellWithoutIcon.dll", &RenumberPanelIcon);
  ASSERT_TRUE(copy.patched);
  ASSERT_NE(copy.module, nullptr);
  EXPECT_EQ(FindResourceA(copy.module, MAKEINTRESOURCEA(kPanelIconId),
                          reinterpret_cast<LPCSTR>(RT_GROUP_ICON)),
            nullptr);
  ASSERT_TRUE(copy.bound);
  MQDocument doc = standin::Host::Instance().Reset().Handle();

  EXPECT_EQ(copy.onEvent(doc, 1, nullptr), 1);
  HWND panel = OurPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(GetWindowLongPtrA(panel, GWLP_HINSTANCE), reinterpret_cast<LONG_PTR>(copy.module));
  EXPECT_EQ(SendMessageA(panel, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(SendMessageA(panel, WM_GETICON, ICON_SMALL, 0), 0);
  // Otherwise a whole panel.
  std::unique_ptr<PanelDriver> driver(CreateWin32PanelDriver());
  int32_t show = 1;
  EXPECT_EQ(copy.onEvent(doc, 100, &show), 1);
  driver->Type(ctl::kMoveX, 'x');
  EXPECT_EQ(driver->BeepCount(), 1);
  char text[32] = {};
  driver->GetText(ctl::kStoredX, text, sizeof(text));
  EXPECT_STREQ(text, "0.000");

  copy.onEvent(doc, 2, nullptr);
  EXPECT_EQ(OurPanel(), nullptr);
}

// The template asks for a topmost window; start makes the panel topmost all the same,
// so that it stays above the host's windows even where that request comes to nothing.
// In this copy the template does not ask: the panel comes out of its creation an
// ordinary owned window, and only start can raise it into the topmost band.
TEST(PanelNotTopmostInItsTemplateTest, StartMakesThePanelTopmostAndLeavesItHidden) {
  ASSERT_NE(Plugin().module, nullptr);
  PluginCopy copy("GridwellNotTopmost.dll", &DropTopmostFromTemplate);
  ASSERT_TRUE(copy.patched);
  ASSERT_NE(copy.module, nullptr);
  DialogTemplate t;
  ASSERT_TRUE(ReadDialogTemplate(copy.module, kPanelTemplateId, &t));
  ASSERT_EQ(t.exStyle & WS_EX_TOPMOST, 0u);
  ASSERT_TRUE(copy.bound);
  MQDocument doc = standin::Host::Instance().Reset().Handle();

  EXPECT_EQ(copy.onEvent(doc, 1, nullptr), 1);
  HWND panel = OurPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_NE(GetWindowLongA(panel, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(IsWindowVisible(panel));
  copy.onEvent(doc, 2, nullptr);
  EXPECT_EQ(OurPanel(), nullptr);
}

}  // namespace
