// The main window's place, size, caption and pinning, and the screen.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_state.h"

namespace platform {

using win32::Window;

void SetWindowCaption(std::string_view caption) {
  SetWindowTextW(Window().main, WideFromText(caption).c_str());
}

Rect WindowRect() {
  RECT r{};
  GetWindowRect(Window().main, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveWindowTo(const Rect& outer) {
  MoveWindow(Window().main, outer.left, outer.top, outer.width, outer.height, TRUE);
}

void SetWindowHeight(int outerHeight) {
  const Rect now = WindowRect();
  SetWindowPos(Window().main, nullptr, 0, 0, now.width, outerHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

Size ClientSize() {
  RECT r{};
  GetClientRect(Window().main, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void SetAlwaysOnTop(bool on) {
  SetWindowPos(Window().main, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Size ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace platform
