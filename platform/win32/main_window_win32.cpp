// MainWindow: built from the design table, its window procedure and the event loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_state.h"
#include "ui/design.h"

namespace win32 {

WindowState& Window() {
  static WindowState state;
  return state;
}

ControlState& StateOf(Control control) {
  return Window().controls[static_cast<std::size_t>(control)];
}

ControlState* StateOf(HWND hwnd) {
  if (hwnd == nullptr || GetParent(hwnd) != Window().main)
    return nullptr;
  const int index = GetDlgCtrlID(hwnd) - kFirstControlId;
  if (index < 0 || index >= kControlCount)
    return nullptr;
  ControlState& state = Window().controls[static_cast<std::size_t>(index)];
  return state.hwnd == hwnd ? &state : nullptr;
}

void MoveFocusAwayFrom(HWND control) {
  const HWND main = Window().main;
  if (GetFocus() != control)
    return;
  const HWND next = GetNextDlgTabItem(main, control, FALSE);
  SetFocus(next != nullptr && next != control ? next : main);
}

}  // namespace win32

namespace {

using win32::ControlState;
using win32::Window;

constexpr wchar_t kWindowClass[] = L"TivarelMainWindow";
constexpr int kIconId = 1;

void (*exitRoutine)() = nullptr;
bool endedInOrder = false;
std::vector<HFONT> fonts;

void RunExitRoutine() {
  if (endedInOrder && exitRoutine != nullptr)
    exitRoutine();
}

HFONT FontFor(const FontDesign& font) {
  if (font.pixelHeight == 0)
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // A negative height asks for the character height without internal leading; no face is named,
  // so the system's default face is used.
  HFONT made = CreateFontW(-font.pixelHeight, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"");
  if (made == nullptr)
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts.push_back(made);
  return made;
}

HFONT SharedFont(const FontDesign& font) {
  struct Made {
    FontDesign design;
    HFONT font;
  };
  static std::vector<Made> made;
  for (const Made& m : made) {
    if (m.design.pixelHeight == font.pixelHeight && m.design.weight == font.weight)
      return m.font;
  }
  made.push_back({font, FontFor(font)});
  return made.back().font;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      return L"BUTTON";
    case ControlKind::EditBox:
      return L"EDIT";
    case ControlKind::Label:
      return L"STATIC";
  }
  return L"STATIC";
}

DWORD StyleOf(const ControlDesign& d) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (d.visible)
    style |= WS_VISIBLE;
  if (!d.enabled)
    style |= WS_DISABLED;
  switch (d.kind) {
    case ControlKind::Button:
      return style | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    case ControlKind::CheckBox:
      return style | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE;
    case ControlKind::Label:
      // One line, centred vertically; "&" is drawn as it is.
      return style | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX;
    case ControlKind::EditBox:
      style |= WS_TABSTOP | (d.alignment == Alignment::Centre ? ES_CENTER : ES_LEFT);
      // Several lines wrap at the box's width and scroll with the caret, without scroll bars.
      return style | (d.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL);
  }
  return style;
}

DWORD ExStyleOf(const ControlDesign& d) {
  switch (d.border) {
    case EditBorder::None:
      return 0;
    case EditBorder::StaticEdge:
      return WS_EX_STATICEDGE;
    case EditBorder::ClientEdge:
      return WS_EX_CLIENTEDGE;
    case EditBorder::ClientEdgeModalFrame:
      return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
  }
  return 0;
}

LRESULT ColourControl(HWND control, HDC dc) {
  ControlState* state = win32::StateOf(control);
  if (state == nullptr)
    return 0;
  SetTextColor(dc, win32::ColourRef(state->textColour));
  if (state->background && state->brush != nullptr) {
    SetBkColor(dc, win32::ColourRef(*state->background));
    return reinterpret_cast<LRESULT>(state->brush);
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool FocusCanReturnTo(HWND control) {
  return control != nullptr && IsWindow(control) && IsWindowVisible(control) &&
         IsWindowEnabled(control);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
        ControlState* state = win32::StateOf(reinterpret_cast<HWND>(lParam));
        if (state != nullptr && state->design->onClick != nullptr &&
            (state->design->kind == ControlKind::Button ||
             state->design->kind == ControlKind::CheckBox))
          state->design->onClick();
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:  // labels, check boxes, and disabled edit boxes
      if (LRESULT brush =
              ColourControl(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
        return brush;
      break;
    case WM_ACTIVATE:
      // A plain window forgets which control had the focus; keep it, as dialogs do.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd, focus))
          Window().focusWhileInactive = focus;
      } else if (HIWORD(wParam) == 0) {
        const HWND back = Window().focusWhileInactive;
        SetFocus(FocusCanReturnTo(back) ? back : hwnd);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                           LR_DEFAULTCOLOR));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CreateControl(HWND main, HINSTANCE instance, const ControlDesign& d, ControlState& state) {
  const std::wstring text = WideFromText(d.text);
  const int id = win32::kFirstControlId + static_cast<int>(d.id);
  state.design = &d;
  state.textColour = d.textColour;
  state.background = d.background;
  if (d.background)
    state.brush = CreateSolidBrush(win32::ColourRef(*d.background));
  state.hwnd =
      CreateWindowExW(ExStyleOf(d), ClassOf(d.kind), text.c_str(), StyleOf(d), d.place.left,
                      d.place.top, d.place.width, d.place.height, main,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (state.hwnd == nullptr)
    return false;
  SendMessageW(state.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(SharedFont(d.font)), FALSE);
  if (d.kind == ControlKind::EditBox) {
    // 0 lifts the default limit of 32767 characters.
    SendMessageW(state.hwnd, EM_LIMITTEXT, static_cast<WPARAM>(d.maxLength), 0);
    win32::ApplyInputRules(state);
  }
  return true;
}

// Each control directly behind the one listed before it, whatever order the system chose.
void Stack(const std::array<ControlState, kControlCount>& controls) {
  for (std::size_t i = 1; i < controls.size(); ++i) {
    SetWindowPos(controls[i].hwnd, controls[i - 1].hwnd, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
}

void ReleaseResources() {
  for (ControlState& c : Window().controls) {
    if (c.brush != nullptr)
      DeleteObject(c.brush);
    c = {};
  }
  for (HFONT f : fonts)
    DeleteObject(f);
  fonts.clear();
}

// Esc closes, Tab moves the focus, Enter only breaks lines in boxes of several lines. True when
// the key was taken here.
bool TakeWindowKey(const MSG& msg) {
  const HWND main = Window().main;
  if (msg.message != WM_KEYDOWN || main == nullptr ||
      (msg.hwnd != main && !IsChild(main, msg.hwnd)))
    return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (msg.wParam) {
    case VK_ESCAPE:
      if (ctrl || shift)
        return false;
      SendMessageW(main, WM_CLOSE, 0, 0);
      return true;
    case VK_TAB: {
      if (ctrl)
        return false;
      const HWND focus = GetFocus();
      const HWND from = focus != nullptr && IsChild(main, focus) ? focus : nullptr;
      if (HWND next = GetNextDlgTabItem(main, from, shift ? TRUE : FALSE))
        SetFocus(next);
      return true;
    }
    case VK_RETURN: {
      const ControlState* focus = win32::StateOf(GetFocus());
      const bool breaksLine = focus != nullptr && focus->design->kind == ControlKind::EditBox &&
                              focus->design->multiLine;
      return !breaksLine;
    }
    default:
      return false;
  }
}

}  // namespace

namespace platform {

void InitGui(int, char**) {
  // The shell's "open" may use COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

void RegisterExitRoutine(void (*routine)()) {
  exitRoutine = routine;
  std::atexit(RunExitRoutine);
}

bool CreateMainWindow(const WindowDesign& design, void (*onCreated)()) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterWindowClass(instance))
    return false;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - design.outerSize.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - design.outerSize.height) / 2;
  const std::wstring caption = WideFromText(design.caption);
  // A fixed frame with a title bar, window menu, close and minimise boxes; not sizeable.
  const HWND main = CreateWindowExW(WS_EX_APPWINDOW, kWindowClass, caption.c_str(),
                                    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                    left, top, design.outerSize.width, design.outerSize.height,
                                    nullptr, nullptr, instance, nullptr);
  if (main == nullptr)
    return false;
  Window().main = main;
  auto& controls = Window().controls;
  for (const ControlDesign& d : design.controls) {
    if (!CreateControl(main, instance, d, controls[static_cast<std::size_t>(d.id)])) {
      DestroyWindow(main);
      Window().main = nullptr;
      ReleaseResources();
      return false;
    }
  }
  Stack(controls);
  Window().focusWhileInactive = controls[static_cast<std::size_t>(Control::编辑框1)].hwnd;
  onCreated();
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  return true;
}

void ReportStartFailure(std::string_view message) {
  const std::wstring text = WideFromText(message);
  MessageBoxW(nullptr, text.c_str(), L"Tivarel", MB_OK | MB_ICONERROR);
}

void RunEventLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (TakeWindowKey(msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Window().main = nullptr;
  ReleaseResources();
  endedInOrder = true;
}

}  // namespace platform
