#include "panel/win32/main_dlg.h"

#include <cstring>
#include <cwchar>
#include <iterator>
#include <new>
#include <string>

#include <imm.h>

#include "panel/centring.h"
#include "panel/control_ids.h"
#include "panel/field_text.h"
#include "panel/layout.h"
#include "panel/value_fields.h"
#include "panel/win32/app_module.h"

namespace {

// The fields of each kind of numeric edit, in the order of the dialog's edit arrays.
constexpr const int (&kMoveFieldIds)[3] = fields::kMove;
// Declared order of the rotation edits: Z row, X row, Y row.
constexpr int kRotationFieldIds[3] = {ctl::kRotateZ, ctl::kRotateX, ctl::kRotateY};
constexpr int kRadioIds[4] = {ctl::kGlobal, ctl::kLocal, ctl::kRelative, ctl::kAbsolute};
constexpr int kReadOnlyFieldIds[13] = {
    ctl::kCentreX, ctl::kCentreY, ctl::kCentreZ, ctl::kMaxX, ctl::kMaxY,
    ctl::kMaxZ,    ctl::kMinX,    ctl::kMinY,    ctl::kMinZ, ctl::kTotalLength,
    ctl::kStoredX, ctl::kStoredY, ctl::kStoredZ};

// The library's manifest (resource 2) as an activation context, so that the panel's
// controls are the version-6 common controls the manifest asks for even though the
// host process may not use them. Released when the scope ends.
class ManifestContext {
 public:
  explicit ManifestContext(HINSTANCE module) {
    ACTCTXA context = {};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = module;
    context.lpResourceName = MAKEINTRESOURCEA(2);
    m_context = CreateActCtxA(&context);
    if (m_context != INVALID_HANDLE_VALUE && !ActivateActCtx(m_context, &m_cookie)) {
      ReleaseActCtx(m_context);
      m_context = INVALID_HANDLE_VALUE;
    }
  }
  ~ManifestContext() {
    if (m_context == INVALID_HANDLE_VALUE) return;
    DeactivateActCtx(0, m_cookie);
    ReleaseActCtx(m_context);
  }
  ManifestContext(const ManifestContext&) = delete;
  ManifestContext& operator=(const ManifestContext&) = delete;

 private:
  HANDLE m_context = INVALID_HANDLE_VALUE;
  ULONG_PTR m_cookie = 0;
};

}  // namespace

StationPanel* CreateStationPanel(PanelClient* plugin) {
  return new (std::nothrow) CMainDlg(plugin);
}

CMainDlg::CMainDlg(PanelClient* plugin) : m_plugin(plugin) {}

CMainDlg::~CMainDlg() {
  // Normally the window is gone already; if not, it must not outlive the object
  // its procedure points at.
  DestroyPanel();
}

// --- StationPanel ---

bool CMainDlg::CreatePanel(PanelOwner owner) {
  if (m_hWnd != nullptr) return false;
  const HINSTANCE module = AppModule::ResourceInstance();
  ManifestContext manifest(module);
  return CreateDialogWindow(module, kPanelTemplateId, static_cast<HWND>(owner)) != nullptr;
}

void CMainDlg::DestroyPanel() {
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);
}

void CMainDlg::ShowPanel(bool show) {
  if (m_hWnd != nullptr) ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE);
}

void CMainDlg::MakeTopmost() {
  if (m_hWnd == nullptr) return;
  SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMainDlg::SetEditPlugin(PanelClient* plugin) {
  for (CNumEditMove& edit : m_moveEdits) edit.m_plugin = plugin;
  for (CNumEditDegree& edit : m_rotationEdits) edit.m_plugin = plugin;
}

// The panel's texts cross to the portable code in UTF-8 and are read and written
// through the wide functions, so that what a field shows is what the code reads on a
// system of any code page.
void CMainDlg::GetFieldText(int id, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  buffer[0] = '\0';
  HWND field = FindControl(id);
  if (field == nullptr) return;
  wchar_t wide[kFieldTextLength + 1];
  int length = SubclassedWindow::WindowTextW(field, wide, kFieldTextLength + 1);
  if (length > 0 && IS_HIGH_SURROGATE(wide[length - 1])) --length;  // half a character
  if (length <= 0) return;
  char utf8[kFieldTextSize];
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, kFieldTextSize - 1,
                                        nullptr, nullptr);
  utf8[bytes > 0 ? bytes : 0] = '\0';
  CopyFieldText(utf8, buffer, size);
}

void CMainDlg::SetFieldText(int id, const char* text) {
  HWND field = FindControl(id);
  if (field == nullptr) return;
  if (text == nullptr) text = "";
  // Reading the field's text is a message to a window of this thread; setting it
  // repaints the field and notifies its parent. A refresh writes the same texts again
  // and again, so only a text that differs is set. The comparison is with what the
  // field shows now, typing included. One character more than any text compared is
  // read, so a longer text in the field can never match. The panel writes numbers;
  // a text longer than any field is read is set without comparison.
  wchar_t wide[kFieldTextSize];
  const int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, kFieldTextSize) - 1;
  if (units < 0) {
    std::wstring whole(std::strlen(text) + 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, whole.data(), static_cast<int>(whole.size()));
    SetWindowTextW(field, whole.c_str());
    return;
  }
  wchar_t shown[kFieldTextSize + 1];
  const int got = SubclassedWindow::WindowTextW(field, shown, units + 2);
  if (got == units && std::wmemcmp(shown, wide, static_cast<size_t>(units)) == 0) return;
  SetWindowTextW(field, wide);
}

bool CMainDlg::IsChecked(int id) {
  HWND radio = FindControl(id);
  return radio != nullptr && SendMessageA(radio, BM_GETCHECK, 0, 0) != 0;
}

// --- Message-loop hooks ---

BOOL CMainDlg::PreTranslateMessage(MSG* msg) {
  if (m_hWnd == nullptr || msg == nullptr) return FALSE;
  return IsDialogMessageA(m_hWnd, msg);
}

BOOL CMainDlg::OnIdle() { return FALSE; }

// --- Messages ---

bool CMainDlg::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result,
                                    DWORD mapId) {
  if (mapId != 0) return false;
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitPanel();
      return true;
    case WM_DESTROY:
      OnDestroyPanel();
      result = 0;
      return true;
    case WM_KEYDOWN:
      result = 0;
      return OnPanelKeyDown(wParam);
    case WM_COMMAND:
      result = 0;
      return OnCommand(wParam);
    default:
      return false;
  }
}

void CMainDlg::OnFinalMessage(HWND) {
  // The window held the icons until now.
  if (m_bigIcon != nullptr) DestroyIcon(m_bigIcon);
  if (m_smallIcon != nullptr) DestroyIcon(m_smallIcon);
  m_bigIcon = m_smallIcon = nullptr;
  m_hooksRegistered = false;
}

LRESULT CMainDlg::OnInitPanel() {
  CentreOnOwner();
  SetPanelIcons();
  RegisterLoopHooks();
  // The tooltip takes each control over to watch its mouse, through a Unicode
  // procedure, which would hand the fields a typed character converted through the
  // code page. So it comes first, and the fields' own procedures see each message
  // as it was sent.
  m_tooltips.Create(m_hWnd);
  AttachNumericEdits();
  FindControls();
  CheckRadioButton(m_hWnd, ctl::kGlobal, ctl::kLocal, ctl::kGlobal);
  CheckRadioButton(m_hWnd, ctl::kRelative, ctl::kAbsolute, ctl::kRelative);
  SetPasteButtonsEnabled(false);
  TypeWithoutInputMethod();
  return TRUE;  // focus to the first tab stop
}

// Taken over last, let go first: the fields go back to the tooltip's procedures
// before the tooltip puts back what it found, which would otherwise drop ours.
void CMainDlg::OnDestroyPanel() {
  DetachNumericEdits();
  m_tooltips.Destroy();
  UnregisterLoopHooks();
}

bool CMainDlg::OnPanelKeyDown(WPARAM key) {
  if ((key & 0xFF) == VK_TAB) {
    // Into the controls; the key itself goes on to default processing.
    SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
    return false;
  }
  MessageBeep(0xFFFFFFFF);
  return true;
}

// Commands without a route (the value fields' notifications among them) go on to
// default processing.
bool CMainDlg::OnCommand(WPARAM wParam) {
  return RunPanelCommand(static_cast<unsigned>(wParam), m_plugin, *this);
}

void CMainDlg::HidePanel() {
  if (m_hWnd != nullptr) ShowWindow(m_hWnd, SW_HIDE);
}

// --- Initialisation steps ---

void CMainDlg::CentreOnOwner() {
  HWND owner = GetWindow(m_hWnd, GW_OWNER);
  if (owner != nullptr && (!IsWindowVisible(owner) || IsIconic(owner))) owner = nullptr;

  // The work area of the monitor the owner is on (the nearest one to the panel
  // without an owner), so that on a second screen the panel opens by its owner.
  RECT area = {};
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  HMONITOR handle = MonitorFromWindow(owner != nullptr ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST);
  if (handle != nullptr && GetMonitorInfoA(handle, &monitor)) {
    area = monitor.rcWork;
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }

  RECT panel = {};
  GetWindowRect(m_hWnd, &panel);
  RECT ownerRect = {};
  ScreenRect reference = {};
  const bool haveReference = owner != nullptr && GetWindowRect(owner, &ownerRect);
  if (haveReference) {
    reference = {ownerRect.left, ownerRect.top, ownerRect.right, ownerRect.bottom};
  }
  const ScreenRect workArea = {area.left, area.top, area.right, area.bottom};
  const ScreenPoint corner = CentrePanel(haveReference ? &reference : nullptr, workArea,
                                         panel.right - panel.left, panel.bottom - panel.top);
  SetWindowPos(m_hWnd, nullptr, corner.x, corner.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::SetPanelIcons() {
  const HINSTANCE module = AppModule::ResourceInstance();
  m_bigIcon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(kPanelIconId), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXICON),
                                            GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  if (m_bigIcon != nullptr) SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, (LPARAM)m_bigIcon);
  m_smallIcon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(kPanelIconId), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  if (m_smallIcon != nullptr) SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, (LPARAM)m_smallIcon);
}

void CMainDlg::RegisterLoopHooks() {
  CMessageLoop* loop = g_module.GetMessageLoop();
  if (loop == nullptr) return;  // this thread has no loop: the panel works without
  loop->AddMessageFilter(this);
  loop->AddIdleHandler(this);
  m_hooksRegistered = true;
}

void CMainDlg::UnregisterLoopHooks() {
  if (!m_hooksRegistered) return;
  m_hooksRegistered = false;
  CMessageLoop* loop = g_module.GetMessageLoop();
  if (loop == nullptr) return;
  loop->RemoveMessageFilter(this);
  loop->RemoveIdleHandler(this);
}

void CMainDlg::AttachNumericEdits() {
  // A field that cannot be taken over stays a plain edit.
  auto attach = [&](const int* ids, auto& edits) {
    for (size_t i = 0; i < std::size(edits); ++i) edits[i].AttachEdit(GetDlgItem(m_hWnd, ids[i]));
  };
  attach(kMoveFieldIds, m_moveEdits);
  attach(kRotationFieldIds, m_rotationEdits);
  attach(kReadOnlyFieldIds, m_readOnlyEdits);
}

void CMainDlg::DetachNumericEdits() {
  for (CNumEdit& edit : m_moveEdits) edit.DetachEdit();
  for (CNumEdit& edit : m_rotationEdits) edit.DetachEdit();
  for (CNumEdit& edit : m_readOnlyEdits) edit.DetachEdit();
}

// The typed fields get no input-method context, so an input method in a full-width
// mode hands them the plain keys instead of composed full-width text.
void CMainDlg::TypeWithoutInputMethod() {
  for (const ControlSpec& control : kPanelControls) {
    if (TypedWithoutInputMethod(control.kind)) {
      ImmAssociateContext(FindControl(control.id), nullptr);
    }
  }
}

void CMainDlg::FindControls() {
  for (size_t i = 0; i < std::size(m_radios); ++i) {
    m_radios[i] = KeptControl{GetDlgItem(m_hWnd, kRadioIds[i])};
  }
  m_copyButton = GetDlgItem(m_hWnd, ctl::kCopy);
  for (int i = 0; i < 7; ++i) m_pasteButtons[i] = GetDlgItem(m_hWnd, ctl::kPasteButtons[i]);
  m_moveButton = GetDlgItem(m_hWnd, ctl::kMove);
  m_rotateButton = GetDlgItem(m_hWnd, ctl::kRotate);
}

// The fields and radios the operations ask for, from the handles kept since the panel
// was initialised: GetDlgItem may ask the window system for the list of children on
// every call, and a refresh looks up every readout field. A field whose edit was not
// taken over, or any other control, is still found by GetDlgItem.
HWND CMainDlg::FindControl(int id) const {
  if (m_hWnd == nullptr) return nullptr;
  HWND kept = nullptr;
  auto look = [&](const int* ids, const auto& controls) {
    for (size_t i = 0; i < std::size(controls); ++i) {
      if (ids[i] == id && controls[i].Handle() != nullptr) kept = controls[i].Handle();
    }
  };
  look(kReadOnlyFieldIds, m_readOnlyEdits);
  look(kMoveFieldIds, m_moveEdits);
  look(kRotationFieldIds, m_rotationEdits);
  look(kRadioIds, m_radios);
  return kept != nullptr ? kept : GetDlgItem(m_hWnd, id);
}

void CMainDlg::SetPasteButtonsEnabled(bool enabled) {
  for (HWND button : m_pasteButtons) {
    if (button != nullptr) EnableWindow(button, enabled);
  }
}
