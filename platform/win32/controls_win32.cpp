// The properties of the controls.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_state.h"

namespace platform {

using win32::StateOf;

Text ControlText(Control control) {
  const HWND hwnd = StateOf(control).hwnd;
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return TextFromWide(text);
}

void SetControlText(Control control, std::string_view text) {
  SetWindowTextW(StateOf(control).hwnd, WideFromText(text).c_str());
}

void SetControlVisible(Control control, bool visible) {
  const HWND hwnd = StateOf(control).hwnd;
  if (!visible)
    win32::MoveFocusAwayFrom(hwnd);
  // Showing or hiding leaves the place and the stacking order alone.
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void SetControlEnabled(Control control, bool enabled) {
  const HWND hwnd = StateOf(control).hwnd;
  if (!enabled)
    win32::MoveFocusAwayFrom(hwnd);
  EnableWindow(hwnd, enabled ? TRUE : FALSE);
}

void SetControlTextColour(Control control, Rgb colour) {
  win32::ControlState& state = StateOf(control);
  state.textColour = colour;
  InvalidateRect(state.hwnd, nullptr, TRUE);
}

void SetControlBackground(Control control, Rgb colour) {
  win32::ControlState& state = StateOf(control);
  if (state.brush != nullptr)
    DeleteObject(state.brush);
  state.background = colour;
  state.brush = CreateSolidBrush(win32::ColourRef(colour));
  InvalidateRect(state.hwnd, nullptr, TRUE);
}

bool IsTicked(Control control) {
  return SendMessageW(StateOf(control).hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetTicked(Control control, bool ticked) {
  SendMessageW(StateOf(control).hwnd, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

Rect ControlRect(Control control) {
  RECT r{};
  GetWindowRect(StateOf(control).hwnd, &r);
  MapWindowPoints(nullptr, win32::Window().main, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveControl(Control control, const Rect& place) {
  MoveWindow(StateOf(control).hwnd, place.left, place.top, place.width, place.height, TRUE);
}

void FocusControl(Control control) {
  SetFocus(StateOf(control).hwnd);
}

void SelectWholeText(Control control) {
  const HWND hwnd = StateOf(control).hwnd;
  SendMessageW(hwnd, EM_SETSEL, 0, -1);
  SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

}  // namespace platform
